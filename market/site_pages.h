// The pages around the marketplace: the login page that sets the session cookies, the
// home pages, the maker's banner and help pages, pictures, and the 404 page.
#pragma once

#include "market/market_view.h"
#include "market/page_reply.h"
#include "market/request_target.h"

namespace velmora::market {

// The session cookies the login page sets, as Set-Cookie values.
std::vector<std::string> const& LoginCookies();

PageReply LoginPage(MarketView const& view, RequestTarget const& target);
PageReply HomePage(MarketView const& view);
PageReply MallHomePage(MarketView const& view);
PageReply BannerPage(MarketView const& view);
PageReply HelpPage(MarketView const& view);
// A rank image by name ("s_red_1"); 404 for a name that is not a level's.
PageReply RankImage(std::string_view name);
// An item or icon picture.
PageReply Picture();

} // namespace velmora::market
