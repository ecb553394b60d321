#include "update/qt/qt_update_host.h"

#include "update/replace_script.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QWidget>

namespace velmora {

QtUpdateHost::QtUpdateHost(Form& form, QWidget* main_window)
    : m_form(form)
    , m_main_window(main_window)
{
}

Text QtUpdateHost::MainWindowCaption() const
{
    return Utf8ToGbk(m_main_window->windowTitle().toStdString());
}

void QtUpdateHost::SetMainWindowAlwaysOnTop(bool on)
{
    m_form.SetAlwaysOnTop(on);
}

void QtUpdateHost::MinimiseMainWindow()
{
    m_main_window->showMinimized();
}

// Makes the main window visible; it stays minimised, as the check leaves it.
void QtUpdateHost::ShowMainWindow()
{
    m_main_window->setVisible(true);
}

bool QtUpdateHost::StartScript(std::filesystem::path const& script)
{
    return StartReplaceScript(script);
}

void QtUpdateHost::EndProgram()
{
    QCoreApplication::exit(0);
}

void QtUpdateHost::PostToUserInterface(std::function<void()> call)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(call), Qt::QueuedConnection);
}

}
