// Where the window's clicks reach their handlers. The Qt window and the headless front end
// both call these; each subsystem adds the cases of its own controls.
#pragma once

#include "app/controls.h"
#include "app/session.h"
#include "app/window_handlers.h"

namespace velmora {

// A click on a button, check box, radio button or hyperlink. Controls without a handler of
// their own are left alone.
void OnClick(Session& session, Control control);

// A double-click on one of the two result lists.
void OnDoubleClick(Session& session, Control list);

}
