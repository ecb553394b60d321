#include "bench/market_pages.h"

#include "app/memory_form.h"
#include "bench/bench_support.h"
#include "market/sample_market.h"
#include "sellers/item_search_page.h"
#include "sellers/shop_search_page.h"
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
        // The form as it opens: no keyword, every category, the three name boxes ticked.
        MemoryForm const form;
        CollectionState const state;
        constexpr std::string_view FirstPage = "1";
        fetched.shop_search = Fetched(ShopFirstPageUrl(form, state, market.Endpoints()) + Text(FirstPage));
        fetched.rating_host = market.Endpoints().RatingHost;
        market.Configure([&](market::Scenario& scenario) {
            scenario.item_layouts[keyword] = market::ItemLayout::EnlargedEveryPage;
        });
        fetched.item_search_enlarged = Fetched(ItemSearchPageUrl(market.Endpoints(), codec, keyword, 1));
        return fetched;
    }();
    return pages;
}

} // namespace velmora::bench
