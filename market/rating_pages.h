// Sellers' rating pages (/member_rate.htm), item pages (/item.htm) and item rating pages
// (/detail_rate.htm).
#pragma once

#include "market/market_view.h"
#include "market/page_reply.h"
#include "market/request_target.h"

namespace velmora::market {

// user_id and current_page (or page) choose the page. A page past the last answers as
// page 1 does, with "currentPageNum":1 closing the list; so does an unknown user, whose
// list is empty.
PageReply SellerRatingPage(MarketView const& view, RequestTarget const& target);

// The item page carries the address of its rating pages, with currentPage=1.
PageReply ItemPage(MarketView const& view, RequestTarget const& target);

// auctionNumId and currentPage choose the page; a page past the last has no ratings.
PageReply ItemRatingPage(MarketView const& view, RequestTarget const& target);

} // namespace velmora::market
