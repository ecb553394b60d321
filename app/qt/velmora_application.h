// The program's global state for one run, built in order at start and released in reverse
// order at exit: the event pump and the desktop that handlers and collectors use, then the
// main window with the form, the session (endpoints, CollectionState with its UrlCodec, the
// run gate) and the embedded browsers.
#pragma once

#include "app/qt/main_window.h"
#include "app/qt/qt_desktop.h"
#include "app/qt/qt_event_pump.h"

namespace velmora {

class VelmoraApplication {
public:
    // The QApplication must exist (see toolkit_setup.h). Loads the main window; its creation
    // handler runs here.
    explicit VelmoraApplication(Endpoints endpoints, WindowOptions options = {});

    MainWindow& Window() { return m_window; }

    // Shows the main window and runs the message loop until it has been closed. Returns the
    // exit code, 0.
    int Run();

private:
    QtEventPump m_pump;
    QtDesktop m_desktop;
    MainWindow m_window;
};

}
