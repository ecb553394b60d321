#include "market/market_router.h"

#include "market/item_search_page.h"
#include "market/messenger_pages.h"
#include "market/rating_pages.h"
#include "market/seller_pages.h"
#include "market/shop_search_page.h"
#include "market/site_pages.h"
#include "market/update_files.h"

#include <algorithm>

namespace velmora::market {

namespace {

bool AllDigits(std::string_view text)
{
    return !text.empty()
        && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The text between prefix and suffix when path is exactly prefix + text + suffix.
std::optional<std::string_view> Between(
    std::string_view path, std::string_view prefix, std::string_view suffix)
{
    if (path.size() < prefix.size() + suffix.size() || !path.starts_with(prefix) || !path.ends_with(suffix))
        return std::nullopt;
    return path.substr(prefix.size(), path.size() - prefix.size() - suffix.size());
}

// /shop/<id>/, /shop/<id> and /shop/<id>/index.htm name a shop's home page.
std::optional<std::string_view> ShopIdOf(std::string_view path)
{
    for (std::string_view suffix : {"/index.htm", "/", ""}) {
        if (auto id = Between(path, "/shop/", suffix); id && AllDigits(*id))
            return id;
    }
    return std::nullopt;
}

PageReply RouteRating(std::string_view path, RequestTarget const& target, MarketView const& view)
{
    if (path == "/member_rate.htm")
        return SellerRatingPage(view, target);
    if (path == "/detail_rate.htm")
        return ItemRatingPage(view, target);
    if (auto user_id = Between(path, "/user-rate-", ".htm"); user_id && AllDigits(*user_id))
        return CreditPage(view, *user_id);
    return NotFoundPage();
}

PageReply RouteImage(std::string_view path)
{
    if (auto name = Between(path, "/newrank/", ".gif"))
        return RankImage(*name);
    if (path.ends_with(".gif") || path.ends_with(".jpg"))
        return Picture();
    return NotFoundPage();
}

PageReply RouteUpdate(std::string_view path, MarketView const& view)
{
    if (path == "/update/update.txt")
        return ManifestFile(view);
    if (path == "/download/velmora")
        return ProgramFile(view);
    if (path == "/banner.htm")
        return BannerPage(view);
    if (path == "/help.htm")
        return HelpPage(view);
    return NotFoundPage();
}

} // namespace

PageReply Route(MarketHost host, RequestTarget const& target, MarketView const& view)
{
    std::string_view const path = target.Path();
    switch (host) {
    case MarketHost::ItemSearch:
        return path == "/search" ? ItemSearchPage(view, target) : NotFoundPage();
    case MarketHost::ShopSearch:
        return path == "/browse/shop_search.htm" ? ShopSearchPage(view, target) : NotFoundPage();
    case MarketHost::Rating:
        return RouteRating(path, target, view);
    case MarketHost::Item:
        return path == "/item.htm" ? ItemPage(view, target) : NotFoundPage();
    case MarketHost::Home:
        if (path == "/" || path == "/index.php")
            return HomePage(view);
        if (auto shop_id = ShopIdOf(path))
            return ShopPage(view, *shop_id);
        return NotFoundPage();
    case MarketHost::Login:
        return path == "/member/login.jhtml" ? LoginPage(view, target) : NotFoundPage();
    case MarketHost::Image:
        return RouteImage(path);
    case MarketHost::Status:
        if (path == "/online.aw")
            return StatusImage(view, target);
        if (path == "/msg.aw")
            return ChatPage(view, target);
        return NotFoundPage();
    case MarketHost::Mall:
        return path == "/" ? MallHomePage(view) : NotFoundPage();
    case MarketHost::Update:
        return RouteUpdate(path, view);
    }
    return NotFoundPage();
}

} // namespace velmora::market
