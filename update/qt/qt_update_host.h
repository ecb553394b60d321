// The program around the update window in the Qt program: the main window, the start of
// the replacement script and the end of the program.
#pragma once

#include "app/form.h"
#include "update/update_window.h"

class QWidget;

namespace velmora {

class QtUpdateHost final : public UpdateHost {
public:
    // form is the main window's controls (for its always-on-top setting); main_window the
    // window itself.
    QtUpdateHost(Form& form, QWidget* main_window);

    Text MainWindowCaption() const override;
    void SetMainWindowAlwaysOnTop(bool on) override;
    void MinimiseMainWindow() override;
    void ShowMainWindow() override;
    bool StartScript(std::filesystem::path const& script) override;
    void EndProgram() override;
    void PostToUserInterface(std::function<void()> call) override;

private:
    Form& m_form;
    QWidget* m_main_window;
};

}
