// FetchPage: one HTTP request on a worker thread of its own, waited for with window events
// running. Any failure, and running out of time, gives an empty body.
#pragma once

#include "text/gbk.h"
#include "web/event_pump.h"

#include <string>
#include <string_view>

namespace velmora {

// The arguments after the address; every caller in the program leaves them at their defaults
// (a GET with no cookies sent and the 90-second limit).
struct FetchOptions {
    Text verb;                // "POST" in any letter case is a POST; anything else a GET
    Text post_data;           // the request body of a POST
    Text cookie_text;         // the value of a Cookie header; empty: no cookies at all
    Text proxy;               // proxy server; empty: direct
    Text user_name;
    Text password;
    Text extra_headers;       // header lines, each ended by CR LF
    int time_limit_seconds { 0 };  // the longest span without a window event; 0 means 90
    Text* response_headers { nullptr };  // receives the reply's raw header text
};

constexpr int DefaultFetchTimeLimitSeconds = 90;

// The reply's body bytes; empty on failure or time-out.
std::string FetchPage(EventPump& pump, std::string_view url, FetchOptions const& options = {});

}
