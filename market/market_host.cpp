#include "market/market_host.h"

namespace velmora::market {

std::string_view EndpointName(MarketHost host)
{
    switch (host) {
    case MarketHost::ItemSearch:
        return "ItemSearchHost";
    case MarketHost::ShopSearch:
        return "ShopSearchHost";
    case MarketHost::Rating:
        return "RatingHost";
    case MarketHost::Item:
        return "ItemHost";
    case MarketHost::Home:
        return "HomeHost";
    case MarketHost::Login:
        return "LoginHost";
    case MarketHost::Image:
        return "ImageHost";
    case MarketHost::Status:
        return "StatusHost";
    case MarketHost::Mall:
        return "MallHost";
    case MarketHost::Update:
        return "UpdateServer";
    }
    return {};
}

std::optional<MarketHost> HostNamed(std::string_view endpoint_name)
{
    for (MarketHost host : AllMarketHosts) {
        if (EndpointName(host) == endpoint_name)
            return host;
    }
    return std::nullopt;
}

} // namespace velmora::market
