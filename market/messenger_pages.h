// The messenger's status service (/online.aw) and chat page (/msg.aw) on the status host.
#pragma once

#include "market/market_view.h"
#include "market/page_reply.h"
#include "market/request_target.h"

namespace velmora::market {

// The nickname a uid value names: its bytes are UTF-8 (percent escapes already decoded),
// and the nickname is their GBK text.
Text NicknameFromUid(std::string_view uid);

// The byte size of the status image of a state under the current scenario.
std::size_t StatusImageSize(MarketView const& view, OnlineState state);

// A GIF whose size tells the uid's state.
PageReply StatusImage(MarketView const& view, RequestTarget const& target);

PageReply ChatPage(MarketView const& view, RequestTarget const& target);

} // namespace velmora::market
