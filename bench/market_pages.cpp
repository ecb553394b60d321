#include "bench/market_pages.h"

#include "bench/bench_support.h"
#include "market/sample_market.h"
#include "sellers/item_search_page.h"
#include "web/url_codec.h"

#include <stdexcept>

namespace velmora::bench {
namespace {

Text Fetched(Text const& address)
{
    Text page = BareCurlGet(address);
    if (page.empty())
        throw std::runtime_error("the sample marketplace served nothing at " + address);
    return page;
}

} // namespace

MarketPages const& SampleMarketPages()
{
    static MarketPages const pages = [] {
        market::SampleMarket market;
        if (!market.Start())
            throw std::runtime_error("the sample marketplace did not start");
        Text const keyword = "连衣裙"_gbk;
        UrlCodec const codec;
        market::MarketView const view = market.View();
        auto const& data = view.Data();
        MarketPages fetched;
        fetched.item_search = Fetched(ItemSearchPageUrl(market.Endpoints(), codec, keyword, 1));
        fetched.seller_ratings = Fetched(view.SellerRatingPageAddress(data.ExampleShopSeller(), 1));
        fetched.item_ratings = Fetched(view.ItemRatingAddress(data.ExampleItem()));
        market.Configure([&](market::Scenario& scenario) {
            scenario.item_layouts[keyword] = market::ItemLayout::EnlargedEveryPage;
        });
        fetched.item_search_enlarged = Fetched(ItemSearchPageUrl(market.Endpoints(), codec, keyword, 1));
        return fetched;
    }();
    return pages;
}

} // namespace velmora::bench
