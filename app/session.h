// Everything a handler or collector works on: the window's controls, the event pump, the
// desktop, the endpoints, the shared run fields and the one-run-at-a-time gate. One session
// lives for the whole program run.
#pragma once

#include "app/collection_state.h"
#include "app/desktop.h"
#include "app/form.h"
#include "app/run_gate.h"
#include "app/window_frame.h"
#include "web/endpoints.h"
#include "web/event_pump.h"

namespace velmora {

class SaveFileChooser;

struct Session {
    Session(Form& form, EventPump& pump, Desktop& desktop, Endpoints endpoints)
        : form(form)
        , pump(pump)
        , desktop(desktop)
        , endpoints(std::move(endpoints))
    {
    }

    Form& form;
    EventPump& pump;
    Desktop& desktop;
    Endpoints endpoints;
    // The real main window's frame; none without a window.
    WindowFrame* frame {nullptr};
    CollectionState state;
    RunGate run_gate;
    // The save dialog of the export buttons; none: every export is cancelled.
    SaveFileChooser* save_file_chooser {nullptr};
};

}
