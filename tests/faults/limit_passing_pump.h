// A window pump on whose clock every wait runs to its limit at once: what a fetch sees when
// nobody touches the window for its whole time limit. It counts its calls.
#pragma once

#include "web/event_pump.h"

#include <chrono>

namespace velmora::testing {

class LimitPassingPump final : public EventPump {
public:
    void RunPendingEvents() override { ++runs; }
    WakeReason WaitForSignalOrEvent(CompletionSignal& signal, std::chrono::milliseconds) override
    {
        ++waits;
        return signal.WaitFor(ShortWait) ? WakeReason::Signalled : WakeReason::TimedOut;
    }

    // How long a wait really lasts before it reports the limit's end.
    static constexpr std::chrono::milliseconds ShortWait {50};
    int runs {0};
    int waits {0};
};

}
