#include "app/run_gate.h"

namespace velmora {

bool RunGate::TryBegin(Form& form, Control start_button)
{
    if (m_active_button)
        return false;
    m_active_button = start_button;
    for (Control button : StartButtons) {
        if (button != start_button)
            form.SetEnabled(button, false);
    }
    return true;
}

void RunGate::HoldStopped(Form& form, Control start_button)
{
    if (m_active_button == start_button)
        form.SetEnabled(start_button, false);
}

void RunGate::End(Form& form)
{
    m_active_button.reset();
    for (Control button : StartButtons)
        form.SetEnabled(button, true);
}

}
