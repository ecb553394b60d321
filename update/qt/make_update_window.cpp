#include "update/qt/make_update_window.h"

#include "app/program_file.h"
#include "app/session.h"
#include "update/qt/qt_update_host.h"
#include "update/qt/update_window_widget.h"

#include <QTimer>

namespace velmora {

QWidget* MakeUpdateWindow(Session& session, QWidget& main_window)
{
    auto* window = new UpdateWindowWidget(std::make_unique<QtUpdateHost>(session.form, &main_window),
        session.desktop, session.pump, session.endpoints, RunningProgramFile());
    QTimer::singleShot(0, window, [window] { window->Start(); });
    return window;
}

}
