// How the update button 按钮更新 gets its window. The update subsystem's window code provides
// a factory; the program hands it to the main window through WindowOptions. Without one the
// button opens nothing.
#pragma once

#include <functional>

class QWidget;

namespace velmora {

struct Session;

// Makes the update window "自动更新": a new top-level window without a parent (no owner),
// not yet shown. main_window is the program's main window (for its caption, always-on-top
// state and minimising). The main window shows it not modal and owns it from then on: it is
// deleted when it is closed or when the main window goes. A null result opens nothing.
using UpdateWindowFactory = std::function<QWidget*(Session& session, QWidget& main_window)>;

}
