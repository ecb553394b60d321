// ReadUrl: reads the whole body at an address on the calling thread, sending the shared
// cookie store's cookies and letting window events run while it reads and waits.
#pragma once

#include "text/gbk.h"
#include "web/event_pump.h"

#include <string>

namespace velmora {

enum class AgentChoice {
    Default,  // "zavi.vuv"
    Second,   // "Java/1.6.0_26"
};

// Rewrites every backslash of the caller's url to "/" first. The body bytes; empty when the
// address cannot be opened, the bytes read so far when the connection breaks.
std::string ReadUrl(EventPump& pump, Text& url, AgentChoice agent = AgentChoice::Default);

}
