// ReadUrl: reads the whole body at an address on the calling thread, sending the shared
// cookie store's cookies and letting window events run while it reads and waits.
#pragma once

#include "text/gbk.h"
#include "web/event_pump.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

enum class AgentChoice {
    Default, // "zavi.vuv"
    Second, // "Java/1.6.0_26"
};

constexpr std::string_view ReadUrlAgent = "zavi.vuv";
constexpr std::string_view ReadUrlSecondAgent = "Java/1.6.0_26";

// Window events run after every chunk of this many bytes.
constexpr std::size_t ReadUrlChunkSize = 2048;
// The longest ReadUrl waits for a connection.
constexpr std::chrono::milliseconds ReadUrlConnectTimeLimit = std::chrono::seconds(60);
// A read that receives no byte for this long ends with the bytes it has.
constexpr std::chrono::milliseconds ReadUrlIdleTimeLimit = std::chrono::seconds(60);
// While ReadUrl waits for bytes, window events run at least this often.
constexpr std::chrono::milliseconds ReadUrlPollSlice {10};

struct ReadUrlLimits {
    std::chrono::milliseconds connect {ReadUrlConnectTimeLimit};
    std::chrono::milliseconds idle {ReadUrlIdleTimeLimit};
};

// Rewrites every backslash of the caller's url to "/" first. The body bytes; empty when the
// address cannot be opened, the bytes read so far when the connection breaks or stays silent
// for the idle limit. The status of the reply is not looked at: an error page's body is
// returned like any other. Redirects are followed; cookies of every reply, redirects included,
// are stored in the shared store.
std::string ReadUrl(EventPump& pump, Text& url, AgentChoice agent = AgentChoice::Default);
std::string ReadUrl(EventPump& pump, Text& url, AgentChoice agent, ReadUrlLimits const& limits);

}
