// The messenger's online state of a nickname, told by the size of its status image.
#pragma once

#include "text/gbk.h"
#include "web/endpoints.h"
#include "web/event_pump.h"
#include "web/url_codec.h"

#include <string_view>

namespace velmora {

// "在线", "手机", "离线", or " -  " when no state could be told.
Text ProbeOnlineStatus(
    EventPump& pump, Endpoints const& endpoints, UrlCodec const& codec, std::string_view nickname);

}
