// Waiting with window events running. The Qt window implements this in app/qt; the CLI and
// the tests implement it without a window.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace velmora {

// A one-shot signal that a worker thread sets when it is done and the waiting thread
// watches. Setting it also calls the waker that the current waiter installed, so a window
// pump that sleeps in its event loop wakes at once.
class CompletionSignal {
public:
    void Set();
    bool IsSet() const;

    // Blocks until the signal is set or the limit has passed; true when set.
    bool WaitFor(std::chrono::milliseconds limit) const;

    // The waker is called on the thread that sets the signal; pass {} to remove it.
    void SetWaker(std::function<void()> waker);

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_condition;
    bool m_set {false};
    std::function<void()> m_waker;
};

enum class WakeReason {
    Signalled, // the signal was set
    EventArrived, // a window event is pending: run it and wait the full limit again
    TimedOut, // the whole limit passed with neither
};

class EventPump {
public:
    virtual ~EventPump() = default;

    // Lets every pending window event run, on the calling thread.
    virtual void RunPendingEvents() = 0;

    // Waits until signal is set, a window event arrives or limit passes, whichever is first.
    virtual WakeReason WaitForSignalOrEvent(CompletionSignal& signal, std::chrono::milliseconds limit) = 0;
};

// The pump of a program without a window: there are no events, so waiting is blocking on
// the signal. An optional hook runs at every RunPendingEvents, where the CLI turns a
// termination request into a stop click.
class WindowlessEventPump final : public EventPump {
public:
    explicit WindowlessEventPump(std::function<void()> on_pending_events = {});

    void RunPendingEvents() override;
    WakeReason WaitForSignalOrEvent(CompletionSignal& signal, std::chrono::milliseconds limit) override;

private:
    std::function<void()> m_on_pending_events;
};

}
