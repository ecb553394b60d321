#include "app/qt/velmora_application.h"

#include "app/qt/close_on_termination.h"

#include <QApplication>

namespace velmora {

VelmoraApplication::VelmoraApplication(Endpoints endpoints, WindowOptions options)
    : m_window(std::move(endpoints), m_pump, m_desktop, std::move(options))
{
}

int VelmoraApplication::Run()
{
    // The message loop ends when the main window closes, whatever other window is open.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&m_window, &MainWindow::Closed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    CloseOnTerminationRequest(m_window);
    m_window.show();
    QApplication::exec();
    return 0;
}

}
