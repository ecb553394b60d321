// The shop search result page (/browse/shop_search.htm?…), first page and continuations.
#pragma once

#include "market/market_view.h"
#include "market/page_reply.h"
#include "market/request_target.h"

namespace velmora::market {

// What a shop search address asks for: q, cat and catName decoded, and the three match
// switches title=title, nick=nick and tag=tag (each on when its key has a value).
ShopQuery ShopQueryFromTarget(RequestTarget const& target);

PageReply ShopSearchPage(MarketView const& view, RequestTarget const& target);

} // namespace velmora::market
