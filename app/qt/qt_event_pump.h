// Waiting with window events running, in the toolkit's event loop on the user-interface
// thread.
#pragma once

#include "web/event_pump.h"

namespace velmora {

class QtEventPump final : public EventPump {
public:
    // Runs every event that is pending now, without waiting for more.
    void RunPendingEvents() override;

    // Sleeps in the event loop, running every event that comes, until the signal is set (its
    // waker wakes the loop from the worker thread), the user's input has arrived and run
    // (EventArrived), or the limit has passed. The window's own activity (the busy picture's
    // timer, painting, the browsers' traffic) runs too but does not end the wait, so it cannot
    // keep a wait from ever reaching its limit.
    WakeReason WaitForSignalOrEvent(CompletionSignal& signal, std::chrono::milliseconds limit) override;
};

}
