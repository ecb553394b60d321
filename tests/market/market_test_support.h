// What the sample marketplace's tests share: a plain HTTP client and the cuts a collector
// makes, written with the text primitives.
#pragma once

#include "market/sample_market.h"
#include "text/cut.h"
#include "text/decimal.h"
#include "text/gbk.h"
#include "text/marker_search.h"
#include "text/spaces.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::market::testing {

// A GET of "http://" + host + target; the target goes out byte for byte.
inline httplib::Result Fetch(
    std::string const& host, std::string const& target, httplib::Headers const& headers = {})
{
    httplib::Client client("http://" + host);
    client.set_url_encode(false);
    client.set_connection_timeout(5);
    client.set_read_timeout(30);
    return client.Get(target, headers);
}

// The body of a 200 reply; fails the test otherwise.
inline std::string FetchBody(std::string const& host, std::string const& target)
{
    auto result = Fetch(host, target);
    if (!result) {
        ADD_FAILURE() << "no reply from " << host << target << ": " << httplib::to_string(result.error());
        return {};
    }
    EXPECT_EQ(result->status, 200) << host << target;
    return result->body;
}

// The path and query of an address "http://host/…".
inline std::string TargetOf(std::string_view address)
{
    auto const slash = address.find('/', std::string_view("http://").size());
    return std::string(slash == std::string_view::npos ? "/" : address.substr(slash));
}

inline std::string HostOf(std::string_view address)
{
    std::string_view rest = address.substr(std::string_view("http://").size());
    return std::string(rest.substr(0, rest.find('/')));
}

// A field of a page: it begins skip bytes after its start marker (searched from from) and
// ends at the first end marker after its beginning, dropped bytes earlier.
struct Field {
    Text value;
    std::optional<std::size_t> begin;
};

inline Field CutField(std::string_view text, std::optional<std::size_t> from, std::string_view start_marker,
    std::size_t skip, std::string_view end_marker, std::size_t dropped)
{
    if (!from)
        return {};
    auto const start = FindMarker(text, start_marker, *from);
    if (!start)
        return {};
    std::size_t const begin = *start + skip;
    auto const end = FindMarker(text, end_marker, begin);
    if (!end || *end < begin + dropped)
        return {{}, begin};
    return {CutBetween(text, begin, *end - dropped), begin};
}

// The number between "共" (searched from from) and the next "页".
inline long long PageCountAfter(std::string_view text, std::optional<std::size_t> from)
{
    auto const total = FindMarker(text, "共"_gbk, from.value_or(0));
    if (!total)
        return 0;
    std::size_t const number = *total + "共"_gbk.size();
    return ReadLeadingInteger(CutBetween(text, number, FindMarker(text, "页"_gbk, number)));
}

// The text from the start marker up to the end marker after it; empty when either is missing.
inline Text Block(std::string_view text, std::string_view start_marker, std::string_view end_marker)
{
    auto const start = FindMarker(text, start_marker);
    if (!start)
        return {};
    return CutBetween(text, start, FindMarker(text, end_marker, *start));
}

// The entries of a block: each begins skip bytes after a marker and ends before the next.
inline std::vector<Text> Entries(std::string_view block, std::string_view marker, std::size_t skip)
{
    std::vector<Text> entries;
    auto found = FindMarker(block, marker);
    while (found) {
        std::size_t const begin = *found + skip;
        auto const next = FindMarker(block, marker, begin);
        entries.push_back(
            next ? CutBetween(block, begin, next) : Text(block.substr(std::min(begin, block.size()))));
        found = next;
    }
    return entries;
}

inline constexpr std::string_view ItemEntryMarker = "<liclass=\"list-item\">";
inline constexpr std::size_t ItemEntrySkip = 21;

// A started market for the tests of one suite.
inline std::unique_ptr<SampleMarket> StartedMarket(Scenario scenario = {})
{
    auto market = std::make_unique<SampleMarket>(std::move(scenario));
    auto const started = market->Start();
    EXPECT_TRUE(started) << started.message;
    return market;
}

} // namespace velmora::market::testing
