// The update window for the main window's button 按钮更新.
#pragma once

class QWidget;

namespace velmora {

struct Session;

// Makes the update window "自动更新" for the session's main window: a top-level window of
// its own, not yet shown. Its creation handler (the manifest check) runs once the event
// loop has shown it.
QWidget* MakeUpdateWindow(Session& session, QWidget& main_window);

}
