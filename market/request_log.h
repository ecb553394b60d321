// Every request the sample marketplace received, per host, for tests to inspect.
#pragma once

#include "market/market_host.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora::market {

struct RecordedRequest {
    MarketHost host {};
    std::string method;
    std::string target; // path and query exactly as they stood in the request line
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    std::chrono::steady_clock::time_point time;
    std::uint64_t sequence {}; // arrival order over all hosts, from 1

    // The first value of a header, the name's letter case ignored; empty when absent.
    std::string Header(std::string_view name) const;
    bool HasHeader(std::string_view name) const;
};

// Thread-safe: the server's threads record while a test reads.
class RequestLog {
public:
    void Record(RecordedRequest request);
    std::vector<RecordedRequest> Of(MarketHost host) const;
    std::vector<RecordedRequest> All() const;
    void Clear();
    // Waits until host has received at least count requests since the last Clear; false
    // when limit passes first.
    bool WaitFor(MarketHost host, std::size_t count, std::chrono::milliseconds limit) const;

private:
    mutable std::mutex m_lock;
    mutable std::condition_variable m_recorded;
    std::vector<RecordedRequest> m_requests;
    std::uint64_t m_next_sequence {1};
};

} // namespace velmora::market
