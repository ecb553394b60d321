// Calls handed from other threads to the one thread that runs the update window, for
// programs without a window toolkit of their own.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace velmora {

class PostedCalls {
public:
    // May be called from any thread.
    void Post(std::function<void()> call);

    // Runs the calls posted so far, in order, on the calling thread; returns how many ran.
    int RunPending();

    // Waits until a call has been posted or limit has passed, then runs what is pending.
    int WaitAndRun(std::chrono::milliseconds limit);

private:
    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<std::function<void()>> m_calls;
};

}
