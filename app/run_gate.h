// One collection run at a time. Every run shares CollectionState and the status log, so a
// start is refused while another run is active, and a stopped run holds its button disabled
// until its collector has returned.
#pragma once

#include "app/form.h"

#include <optional>

namespace velmora {

class RunGate {
public:
    // Begins the run of start_button's collector and disables every other start button.
    // Refused (false, nothing changed) while a run is active.
    bool TryBegin(Form& form, Control start_button);

    // The stop click: the stopped button stays disabled until End.
    void HoldStopped(Form& form, Control start_button);

    // The collector has returned: every start button is enabled again.
    void End(Form& form);

    bool IsRunActive() const { return m_active_button.has_value(); }
    std::optional<Control> ActiveButton() const { return m_active_button; }

private:
    std::optional<Control> m_active_button;
};

// Ends the run when the collector's call returns, whichever way it returns.
class RunScope {
public:
    RunScope(RunGate& gate, Form& form)
        : m_gate(gate)
        , m_form(form)
    {
    }
    ~RunScope() { m_gate.End(m_form); }
    RunScope(RunScope const&) = delete;
    RunScope& operator=(RunScope const&) = delete;

private:
    RunGate& m_gate;
    Form& m_form;
};

}
