#include "support/test_pump.h"

namespace velmora::testing {

void TestPump::RunPendingEvents()
{
    auto now = std::chrono::steady_clock::now();
    if (m_run_count > 0)
        m_longest_gap = std::max(m_longest_gap, now - m_last_run);
    m_last_run = now;
    ++m_run_count;
    if (auto action = m_actions.find(m_run_count); action != m_actions.end())
        action->second();
}

WakeReason TestPump::WaitForSignalOrEvent(CompletionSignal& signal, std::chrono::milliseconds limit)
{
    ++m_wait_count;
    if (m_event_every.count() > 0 && m_event_every < limit)
        return signal.WaitFor(m_event_every) ? WakeReason::Signalled : WakeReason::EventArrived;
    return signal.WaitFor(limit) ? WakeReason::Signalled : WakeReason::TimedOut;
}

}
