#include "update/posted_calls.h"

namespace velmora {

void PostedCalls::Post(std::function<void()> call)
{
    {
        std::lock_guard lock(m_mutex);
        m_calls.push_back(std::move(call));
    }
    m_posted.notify_all();
}

int PostedCalls::RunPending()
{
    std::deque<std::function<void()>> calls;
    {
        std::lock_guard lock(m_mutex);
        calls.swap(m_calls);
    }
    for (auto& call : calls)
        call();
    return static_cast<int>(calls.size());
}

int PostedCalls::WaitAndRun(std::chrono::milliseconds limit)
{
    {
        std::unique_lock lock(m_mutex);
        m_posted.wait_for(lock, limit, [this] { return !m_calls.empty(); });
    }
    return RunPending();
}

}
