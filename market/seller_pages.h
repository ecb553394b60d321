// A seller's credit page (/user-rate-<user id>.htm on the rating host) and shop page
// (/shop/<shop id>/ on the home host).
#pragma once

#include "market/market_view.h"
#include "market/page_reply.h"

#include <string_view>

namespace velmora::market {

// user_id: the digits from the address; an unknown id gives the 404 page.
PageReply CreditPage(MarketView const& view, std::string_view user_id);

PageReply ShopPage(MarketView const& view, std::string_view shop_id);

} // namespace velmora::market
