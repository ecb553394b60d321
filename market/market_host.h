// The hosts of the sample marketplace: one listening port each, named as the endpoints
// they stand for.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace velmora::market {

enum class MarketHost {
    ItemSearch, // ItemSearchHost: item search result pages
    ShopSearch, // ShopSearchHost: shop search result pages
    Rating, // RatingHost: credit pages, sellers' rating pages, item rating pages
    Item, // ItemHost: item pages
    Home, // HomeHost: the home page and the shops' pages
    Login, // LoginHost: the login page that sets the session cookies
    Image, // ImageHost: the rank images under /newrank/
    Status, // StatusHost: the messenger's status images and chat page
    Mall, // MallHost: the mall's home page
    Update, // UpdateServer: the manifest, the program file, the banner and help pages
};

inline constexpr std::array<MarketHost, 10> AllMarketHosts = {
    MarketHost::ItemSearch,
    MarketHost::ShopSearch,
    MarketHost::Rating,
    MarketHost::Item,
    MarketHost::Home,
    MarketHost::Login,
    MarketHost::Image,
    MarketHost::Status,
    MarketHost::Mall,
    MarketHost::Update,
};

// The endpoint name of a host, as web/endpoints.h spells it ("ItemSearchHost", ...).
std::string_view EndpointName(MarketHost host);

// The host of an endpoint name; none for the names that are not hosts (BannerPageUrl, ...).
std::optional<MarketHost> HostNamed(std::string_view endpoint_name);

} // namespace velmora::market
