#include "web/event_pump.h"

namespace velmora {

void CompletionSignal::Set()
{
    std::function<void()> waker;
    {
        std::lock_guard lock(m_mutex);
        m_set = true;
        waker = m_waker;
    }
    m_condition.notify_all();
    if (waker)
        waker();
}

bool CompletionSignal::IsSet() const
{
    std::lock_guard lock(m_mutex);
    return m_set;
}

bool CompletionSignal::WaitFor(std::chrono::milliseconds limit) const
{
    std::unique_lock lock(m_mutex);
    return m_condition.wait_for(lock, limit, [this] { return m_set; });
}

void CompletionSignal::SetWaker(std::function<void()> waker)
{
    std::lock_guard lock(m_mutex);
    m_waker = std::move(waker);
}

WindowlessEventPump::WindowlessEventPump(std::function<void()> on_pending_events)
    : m_on_pending_events(std::move(on_pending_events))
{
}

void WindowlessEventPump::RunPendingEvents()
{
    if (m_on_pending_events)
        m_on_pending_events();
}

WakeReason WindowlessEventPump::WaitForSignalOrEvent(
    CompletionSignal& signal, std::chrono::milliseconds limit)
{
    return signal.WaitFor(limit) ? WakeReason::Signalled : WakeReason::TimedOut;
}

}
