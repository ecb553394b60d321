// The item search result page (/search?q=…&s=…) in its two layouts.
#pragma once

#include "market/market_view.h"
#include "market/page_reply.h"
#include "market/request_target.h"

namespace velmora::market {

PageReply ItemSearchPage(MarketView const& view, RequestTarget const& target);

}
