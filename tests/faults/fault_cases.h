// The ways a server fails, as switches of the sample marketplace, each with what a reader
// gets from it. The fault tests run one table of them against each way of reading a page.
#pragma once

#include "market/scenario.h"
#include "web/read_url.h"

#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace velmora::testing {

// How much of the page reaches the reader.
enum class Arrival {
    Nothing, // no byte of the page, or nothing a page can be cut from
    Beginning, // the first part, perhaps none of it
    Everything, // the whole page, however slowly or oddly it came
};

struct FaultCase {
    std::string name;
    std::function<void(market::Scenario&, market::MarketHost)> apply;
    Arrival arrives;
    // Fewest times window events run while the page is read, when the fault makes that a
    // long wait; 0 says nothing about it.
    int least_events_while_read {0};
    // How many requests one read of the page makes.
    std::size_t requests_per_read {1};
};

inline void PrintTo(FaultCase const& fault, std::ostream* out)
{
    *out << fault.name;
}

// A reader follows this many redirects and then gives up on the address.
constexpr std::size_t FollowedRedirects = 10;

// How long a server that never answers holds a request before it drops the connection.
constexpr std::chrono::milliseconds SilentHold {1000};
// A trickle of one byte a second for this many bytes, then the rest at once.
constexpr std::size_t TrickledBytes = 3;
constexpr std::size_t HugePageSize = std::size_t {100} << 20;
constexpr std::size_t HeaderBlockSize = std::size_t {64} << 10;
constexpr std::size_t LargeCookieSize = std::size_t {8} << 10;

// Set-Cookie values: one without "=", one of 8 KB, and a good one after them.
inline std::vector<std::string> OddCookies()
{
    return {"no-equals-sign; path=/", "large=" + std::string(LargeCookieSize, 'c') + "; path=/",
        "after_odd_ones=1; path=/"};
}

inline FaultCase Damage(std::string name, market::PageDamage damage, Arrival arrives)
{
    return {std::move(name),
        [damage](market::Scenario& s, market::MarketHost host) { s.damage[host] = damage; }, arrives};
}

inline FaultCase NeverAnswers()
{
    return {"never_answers",
        [](market::Scenario& s, market::MarketHost host) {
            s.paces[host].never_answers = true;
            s.silent_hold = SilentHold;
        },
        Arrival::Nothing, 2};
}

inline FaultCase TricklesAByteASecond()
{
    return {"trickles_a_byte_a_second",
        [](market::Scenario& s, market::MarketHost host) {
            s.paces[host]
                = {.chunk_pause = std::chrono::seconds(1), .chunk_bytes = 1, .paced_bytes = TrickledBytes};
        },
        Arrival::Everything, static_cast<int>(TrickledBytes)};
}

inline FaultCase HundredMegabytePage()
{
    return {"page_of_100_megabytes",
        [](market::Scenario& s, market::MarketHost host) { s.padded_sizes[host] = HugePageSize; },
        // Events run after every chunk, and a chunk is less than two chunk sizes.
        Arrival::Everything, static_cast<int>(HugePageSize / (2 * ReadUrlChunkSize))};
}

inline FaultCase RedirectLoop()
{
    return {"redirect_loop",
        [](market::Scenario& s, market::MarketHost host) { s.redirect_loops.insert(host); }, Arrival::Nothing,
        0, 1 + FollowedRedirects};
}

inline FaultCase HeaderBlock()
{
    return {"header_block_of_64_kilobytes",
        [](market::Scenario& s, market::MarketHost host) { s.header_blocks[host] = HeaderBlockSize; },
        Arrival::Everything};
}

inline FaultCase OddSetCookieLines()
{
    return {"odd_set_cookie_lines",
        [](market::Scenario& s, market::MarketHost host) { s.extra_cookies[host] = OddCookies(); },
        Arrival::Everything};
}

// Every fault a page read meets.
inline std::vector<FaultCase> PageFaults()
{
    return {
        Damage("reset_mid_body", market::PageDamage::ResetMidBody, Arrival::Beginning),
        Damage("dropped_mid_body", market::PageDamage::ConnectionDropped, Arrival::Beginning),
        NeverAnswers(),
        TricklesAByteASecond(),
        HundredMegabytePage(),
        Damage("random_bytes", market::PageDamage::RandomBytes, Arrival::Nothing),
        Damage("invalid_gbk", market::PageDamage::InvalidGbk, Arrival::Everything),
        RedirectLoop(),
        HeaderBlock(),
        OddSetCookieLines(),
    };
}

// The faults that keep a reader waiting for a long time.
inline std::vector<FaultCase> SlowPageFaults()
{
    return {NeverAnswers(), TricklesAByteASecond(), HundredMegabytePage()};
}

}
