// Waiting with window events running, in the toolkit's event loop on the user-interface
// thread.
#pragma once

#include "web/event_pump.h"

namespace velmora {

class QtEventPump final : public EventPump {
public:
    // Runs every event that is pending now, without waiting for more.
    void RunPendingEvents() override;

    // Sleeps in the event loop until the signal is set (its waker wakes the loop from the
    // worker thread), an event arrives and has run, or the limit passes (a timer).
    WakeReason WaitForSignalOrEvent(CompletionSignal& signal, std::chrono::milliseconds limit) override;
};

}
