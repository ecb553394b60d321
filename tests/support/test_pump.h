// An event pump for tests: counts its calls and runs scripted actions on chosen calls, which
// is how a test presses a button in the middle of a run.
#pragma once

#include "web/event_pump.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <map>

namespace velmora::testing {

class TestPump final : public EventPump {
public:
    // Runs action during the call-th RunPendingEvents (1-based).
    void OnCall(int call, std::function<void()> action) { m_actions[call] = std::move(action); }

    // Makes every wait report a window event after this span, as a user moving the mouse
    // would (zero: waits report only the signal or the limit).
    void SetEventEvery(std::chrono::milliseconds span) { m_event_every = span; }

    int RunCount() const { return m_run_count; }
    int WaitCount() const { return m_wait_count; }

    // The longest span between two RunPendingEvents calls seen so far.
    std::chrono::steady_clock::duration LongestGap() const { return m_longest_gap; }

    void RunPendingEvents() override;
    WakeReason WaitForSignalOrEvent(CompletionSignal& signal, std::chrono::milliseconds limit) override;

private:
    std::map<int, std::function<void()>> m_actions;
    std::chrono::milliseconds m_event_every {0};
    int m_run_count {0};
    int m_wait_count {0};
    std::chrono::steady_clock::time_point m_last_run {};
    std::chrono::steady_clock::duration m_longest_gap {};
};

}
