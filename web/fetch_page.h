// FetchPage: one HTTP request on a worker thread of its own, waited for with window events
// running. Any failure, and running out of time, gives an empty body.
#pragma once

#include "text/gbk.h"
#include "web/event_pump.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// The arguments after the address; every caller in the program leaves them at their defaults
// (a GET with no cookies sent and the 90-second limit).
struct FetchOptions {
    Text verb; // "POST" in any letter case is a POST; anything else a GET
    Text post_data; // the request body of a POST
    Text cookie_text; // the value of a Cookie header; empty: no cookies at all
    Text proxy; // proxy server; empty: direct
    Text user_name;
    Text password;
    Text extra_headers; // header lines, each ended by CR LF
    int time_limit_seconds {0}; // the longest span without a window event; 0 (or below) means 90
    Text* response_headers {nullptr}; // receives the reply's raw header text
};

constexpr int DefaultFetchTimeLimitSeconds = 90;

// The reply's body bytes; empty on failure or time-out. The request runs on a worker thread
// of its own; this thread waits with window events running. The limit is the longest span
// without a window event: each event starts it again. When it runs out the worker is cut off
// (its transfer stopped through curl's callbacks, never the thread killed) and nothing it does
// afterwards reaches this call. The status of the reply is not looked at: an error page's body
// is returned like any other. Redirects are followed.
std::string FetchPage(EventPump& pump, std::string_view url, FetchOptions const& options = {});

// How many FetchPage workers are still running, cut-off ones included.
std::size_t RunningFetchWorkers();

// Waits until no FetchPage worker runs any more, at most limit; true when none runs. For the
// end of the program, so that no cut-off worker is still busy while the program shuts down.
bool WaitForFetchWorkers(std::chrono::milliseconds limit);

}
