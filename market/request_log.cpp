#include "market/request_log.h"

#include <algorithm>

namespace velmora::market {

namespace {

bool SameLetters(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

} // namespace

std::string RecordedRequest::Header(std::string_view name) const
{
    for (auto const& [key, value] : headers) {
        if (SameLetters(key, name))
            return value;
    }
    return {};
}

bool RecordedRequest::HasHeader(std::string_view name) const
{
    return std::any_of(
        headers.begin(), headers.end(), [&](auto const& header) { return SameLetters(header.first, name); });
}

void RequestLog::Record(RecordedRequest request)
{
    {
        std::lock_guard guard(m_lock);
        request.sequence = m_next_sequence++;
        m_requests.push_back(std::move(request));
    }
    m_recorded.notify_all();
}

std::vector<RecordedRequest> RequestLog::Of(MarketHost host) const
{
    std::lock_guard guard(m_lock);
    std::vector<RecordedRequest> found;
    std::copy_if(m_requests.begin(), m_requests.end(), std::back_inserter(found),
        [&](auto const& request) { return request.host == host; });
    return found;
}

std::vector<RecordedRequest> RequestLog::All() const
{
    std::lock_guard guard(m_lock);
    return m_requests;
}

void RequestLog::Clear()
{
    std::lock_guard guard(m_lock);
    m_requests.clear();
}

bool RequestLog::WaitFor(MarketHost host, std::size_t count, std::chrono::milliseconds limit) const
{
    std::unique_lock guard(m_lock);
    return m_recorded.wait_for(guard, limit, [&] {
        return static_cast<std::size_t>(std::count_if(m_requests.begin(), m_requests.end(),
                   [&](auto const& request) { return request.host == host; }))
            >= count;
    });
}

} // namespace velmora::market
