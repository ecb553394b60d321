// Credit pages, shop pages, sellers' rating pages, item pages and item rating pages, cut
// the way the collectors cut them.
#include "market_test_support.h"
#include "web/url_codec.h"

#include <set>

namespace velmora::market {
namespace {

using testing::CutField;
using testing::Fetch;
using testing::FetchBody;
using testing::HostOf;
using testing::TargetOf;

class SellerAndBuyerPages : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_market = testing::StartedMarket(); }
    static void TearDownTestSuite() { s_market.reset(); }
    static std::unique_ptr<SampleMarket> s_market;
};
std::unique_ptr<SampleMarket> SellerAndBuyerPages::s_market;

// The credit page is read with its spaces: the rank image name, and the date after the
// label that follows it.
struct Credit {
    Text rank_image;
    Text date;
};

Credit CutCreditPage(std::string_view page, Text const& image_host)
{
    Credit credit;
    Text const image_marker = image_host + "/newrank/";
    auto const image = FindMarker(page, image_marker);
    std::size_t date_from = 0;
    if (image) {
        std::size_t const name = *image + image_marker.size();
        credit.rank_image = CutBetween(page, name, FindMarker(page, ".gif", name));
        date_from = name;
    }
    auto const label = FindMarker(page, "创店时间"_gbk, date_from);
    credit.date = CutField(page, label, "</span>", 7, "<", 0).value;
    return credit;
}

TEST_F(SellerAndBuyerPages, EverySellersCreditPageShowsItsRankImageAndOpeningDate)
{
    MarketView const view = s_market->View();
    std::set<int> levels;
    for (auto const& seller : view.Data().Sellers()) {
        SCOPED_TRACE(GbkToUtf8(seller.nickname));
        Text const link = view.SellerLink(seller);
        Credit const credit
            = CutCreditPage(FetchBody(HostOf(link), TargetOf(link)), view.Addresses().ImageHost);
        EXPECT_EQ(credit.rank_image, RankImageName(seller.credit_level));
        EXPECT_EQ(credit.date, view.OpeningDateShown(seller));
        EXPECT_EQ(credit.date.empty(), seller.mall);
        levels.insert(seller.credit_level);
        // The rank image itself is served.
        if (!credit.rank_image.empty()) {
            auto image = Fetch(view.Addresses().ImageHost, "/newrank/" + credit.rank_image + ".gif");
            ASSERT_TRUE(image);
            EXPECT_EQ(image->status, 200);
            EXPECT_EQ(image->body.substr(0, 6), "GIF89a");
        }
    }
    EXPECT_EQ(levels.size(), 21u) << "every level from 0 to 20";
}

TEST_F(SellerAndBuyerPages, EveryShopPageCarriesTheSellerIdAndItsOpeningDate)
{
    MarketView const view = s_market->View();
    for (auto const& seller : view.Data().Sellers()) {
        SCOPED_TRACE(GbkToUtf8(seller.nickname));
        Text const address = view.ShopAddress(seller);
        Text const page = RemoveSpaces(FetchBody(HostOf(address), TargetOf(address)));
        auto const key = FindMarker(page, "key:user-");
        ASSERT_TRUE(key);
        std::size_t const id = *key + 9;
        EXPECT_EQ(CutBetween(page, id, FindMarker(page, "-prototype", id)), seller.user_id);
        // The opening date: after 创店时间 and the </span> that follows, up to the next "<".
        Text const date = CutField(page, FindMarker(page, "创店时间"_gbk), "</span>", 7, "<", 0).value;
        EXPECT_EQ(date, view.OpeningDateShown(seller));
        EXPECT_EQ(ContainsMarker(date, "20"), !seller.mall);
    }
}

TEST_F(SellerAndBuyerPages, UnknownSellersShopsAndItemsAreNotFound)
{
    MarketView const view = s_market->View();
    Endpoints const& hosts = view.Addresses();
    struct {
        Text host;
        std::string target;
    } const cases[] = {
        {hosts.RatingHost, "/user-rate-1.htm"},
        {hosts.HomeHost, "/shop/1/"},
        {hosts.ItemHost, "/item.htm?id=1"},
        {hosts.ItemHost, "/item.htm"},
    };
    for (auto const& c : cases) {
        auto reply = Fetch(c.host, c.target);
        ASSERT_TRUE(reply) << c.target;
        EXPECT_EQ(reply->status, 404) << c.target;
    }
}

// A seller's rating page: at most 40 nicknames, each 18 bytes after its marker and ending
// one byte before the next comma.
std::vector<Text> CutSellerRatingPage(std::string_view body)
{
    Text const page = RemoveSpaces(body);
    std::vector<Text> nicknames;
    std::size_t from = 0;
    for (int cut = 0; cut < 40; ++cut) {
        auto const marker = FindMarker(page, "displayUserNick", from);
        if (!marker)
            break;
        std::size_t const start = *marker + 18;
        from = start;
        auto const comma = FindMarker(page, ",", start);
        Text const nickname = comma ? TrimSpaces(CutBetween(page, start, *comma - 1)) : Text {};
        if (nickname.empty())
            break;
        nicknames.push_back(nickname);
    }
    return nicknames;
}

TEST_F(SellerAndBuyerPages, SellersRatingPagesEndWithThePagePastTheLast)
{
    MarketView const view = s_market->View();
    std::set<int> page_counts;
    for (auto const& seller : view.Data().Sellers()) {
        SCOPED_TRACE(GbkToUtf8(seller.nickname));
        int const pages = view.SellerRatingPageCount(seller);
        page_counts.insert(pages);
        for (int page = 1; page <= pages + 1; ++page) {
            Text const address = view.SellerRatingPageAddress(seller, page);
            std::string const body = FetchBody(HostOf(address), TargetOf(address));
            bool const past_the_end = ContainsMarker(RemoveSpaces(body), "currentPageNum\":1}");
            if (page > pages) {
                EXPECT_TRUE(past_the_end) << "page " << page;
                continue;
            }
            EXPECT_EQ(past_the_end, page == 1) << "page " << page;
            EXPECT_EQ(CutSellerRatingPage(body), view.SellerRatingPage(seller, page)) << "page " << page;
        }
        if (seller.index > 6)
            break; // the first few sellers cover every page count
    }
    EXPECT_EQ(page_counts, (std::set<int> {1, 2, 3, 4}));
}

TEST_F(SellerAndBuyerPages, AnUnknownSellerHasAnEmptyRatingListThatEndsAtOnce)
{
    MarketView const view = s_market->View();
    for (std::string user : {"", "1", "abc"}) {
        std::string const body = FetchBody(view.Addresses().RatingHost,
            "/member_rate.htm?user_id=" + user
                + "&rater=0&content=1&direction=0&identity=1&from=rate&page=2&current_page=2");
        EXPECT_TRUE(ContainsMarker(body, "currentPageNum\":1}")) << user;
        EXPECT_FALSE(ContainsMarker(body, "displayUserNick")) << user;
    }
}

TEST_F(SellerAndBuyerPages, TheExampleShopsRatingsHoldMaskedAndRepeatedNicknames)
{
    MarketView const view = s_market->View();
    Seller const* seller = nullptr;
    Text const example = view.Addresses().ExampleShopAddress;
    Text const page = RemoveSpaces(FetchBody(HostOf(example), TargetOf(example)));
    auto const key = FindMarker(page, "key:user-");
    ASSERT_TRUE(key);
    seller = view.Data().SellerByUserId(CutBetween(page, *key + 9, FindMarker(page, "-prototype", *key)));
    ASSERT_NE(seller, nullptr);
    std::set<Text> earlier_pages;
    bool masked = false, repeated_across_pages = false;
    for (int n = 1; n <= view.SellerRatingPageCount(*seller); ++n) {
        auto const nicknames = view.SellerRatingPage(*seller, n);
        for (auto const& nickname : nicknames) {
            masked = masked || ContainsMarker(nickname, "**");
            repeated_across_pages = repeated_across_pages || earlier_pages.count(nickname);
        }
        earlier_pages.insert(nicknames.begin(), nicknames.end());
    }
    EXPECT_GE(view.SellerRatingPageCount(*seller), 2);
    EXPECT_TRUE(masked);
    EXPECT_TRUE(repeated_across_pages);
}

// The item page's rating address: from "http://" + RatingHost + "/detail_rate.htm?" to the
// next double quote.
Text CutRatingAddress(std::string_view body, Text const& rating_host)
{
    Text const page = RemoveSpaces(body);
    auto const start = FindMarker(page, "http://" + rating_host + "/detail_rate.htm?");
    return start ? CutBetween(page, start, FindMarker(page, "\"", *start)) : Text {};
}

// An item rating page: at most 15 nicknames, each up to the next double quote.
std::vector<Text> CutItemRatingPage(std::string_view body, bool& last_page)
{
    Text const page = RemoveSpaces(body);
    std::vector<Text> nicknames;
    std::size_t from = 0;
    last_page = false;
    for (int cut = 0; cut < 15; ++cut) {
        auto const marker = FindMarker(page, "displayUserNick", from);
        if (!marker) {
            last_page = true;
            break;
        }
        std::size_t const start = *marker + 18;
        from = start;
        Text const nickname = TrimSpaces(CutBetween(page, start, FindMarker(page, "\"", start)));
        if (nickname.empty())
            break;
        nicknames.push_back(nickname);
    }
    return nicknames;
}

Text ReplaceAll(Text text, std::string_view from, std::string_view to)
{
    for (std::size_t at = text.find(from); at != Text::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Reads an item's rating pages the way the collector walks them; the nicknames of each page.
std::vector<std::vector<Text>> WalkItemRatings(MarketView const& view, Text const& item_address)
{
    Text address = CutRatingAddress(
        FetchBody(HostOf(item_address), TargetOf(item_address)), view.Addresses().RatingHost);
    EXPECT_TRUE(ContainsMarker(address, "currentPage=1")) << address;
    std::vector<std::vector<Text>> pages;
    for (int page = 1; page <= 100; ++page) {
        if (page > 1)
            address = ReplaceAll(
                address, "currentPage=" + DecimalText(page - 1), "currentPage=" + DecimalText(page));
        bool last_page = false;
        pages.push_back(CutItemRatingPage(FetchBody(HostOf(address), TargetOf(address)), last_page));
        if (last_page)
            break;
    }
    return pages;
}

TEST_F(SellerAndBuyerPages, TheExampleItemsRatingPagesHoldFifteenNicknamesAndALastPageOfFewer)
{
    MarketView const view = s_market->View();
    auto const item = view.FindItem("12867574371");
    ASSERT_TRUE(item);
    ASSERT_EQ(view.ItemLink(*item), view.Addresses().ExampleItemAddress);
    auto const pages = WalkItemRatings(view, view.Addresses().ExampleItemAddress);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].size(), 15u);
    EXPECT_EQ(pages[1].size(), 15u);
    EXPECT_EQ(pages[2].size(), 7u);
    std::set<Text> earlier;
    bool masked = false, over_long = false, twenty_bytes = false, repeated_across_pages = false;
    for (std::size_t n = 0; n < pages.size(); ++n) {
        EXPECT_EQ(pages[n], view.ItemRatingPage(*item, static_cast<int>(n) + 1));
        for (auto const& nickname : pages[n]) {
            masked = masked || ContainsMarker(nickname, "**");
            over_long = over_long || nickname.size() > 20;
            twenty_bytes = twenty_bytes || nickname.size() == 20;
            repeated_across_pages = repeated_across_pages || earlier.count(nickname);
        }
        earlier.insert(pages[n].begin(), pages[n].end());
    }
    EXPECT_TRUE(masked);
    EXPECT_TRUE(over_long);
    EXPECT_TRUE(twenty_bytes);
    EXPECT_TRUE(repeated_across_pages);
}

TEST(ItemRatingCounts, AWholeNumberOfPagesIsFollowedByAnEmptyPage)
{
    Scenario scenario;
    scenario.item_rating_count = 45;
    auto market = testing::StartedMarket(scenario);
    MarketView const view = market->View();
    auto const pages = WalkItemRatings(view, view.Addresses().ExampleItemAddress);
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(pages[2].size(), 15u);
    EXPECT_TRUE(pages[3].empty());
}

TEST(SellerRatingCounts, APageCountSwitchMovesThePagePastTheLast)
{
    Scenario scenario;
    scenario.seller_rating_pages = 5;
    scenario.seller_rating_page_size = 45;
    auto market = testing::StartedMarket(scenario);
    MarketView const view = market->View();
    Seller const& seller = view.Data().ExampleShopSeller();
    Text const fifth = view.SellerRatingPageAddress(seller, 5);
    std::string const body = FetchBody(HostOf(fifth), TargetOf(fifth));
    EXPECT_FALSE(ContainsMarker(body, "currentPageNum\":1}"));
    // 45 ratings stand on the page; a collector cuts 40 of them.
    auto const all = view.SellerRatingPage(seller, 5);
    ASSERT_EQ(all.size(), 45u);
    EXPECT_EQ(CutSellerRatingPage(body), std::vector<Text>(all.begin(), all.begin() + 40));
    Text const sixth = view.SellerRatingPageAddress(seller, 6);
    EXPECT_TRUE(ContainsMarker(FetchBody(HostOf(sixth), TargetOf(sixth)), "currentPageNum\":1}"));
}

TEST(MallSwitch, ASellerMadeAMallShopLosesItsDateAndGainsTheMallMarks)
{
    auto market = testing::StartedMarket();
    MarketView before = market->View();
    Seller const& seller = before.Data().ExampleShopSeller();
    ASSERT_FALSE(seller.mall);
    market->Configure([&](Scenario& s) { s.mall_sellers[seller.nickname] = true; });
    MarketView const view = market->View();

    Text const shop = view.ShopAddress(seller);
    Text const shop_page = RemoveSpaces(FetchBody(HostOf(shop), TargetOf(shop)));
    EXPECT_FALSE(ContainsMarker(shop_page, "创店时间"_gbk));
    Text const credit = view.SellerLink(seller);
    EXPECT_FALSE(ContainsMarker(FetchBody(HostOf(credit), TargetOf(credit)), "创店时间"_gbk));

    std::string const search = FetchBody(view.Addresses().ShopSearchHost,
        "/browse/shop_search.htm?q=" + UrlCodec {}.EncodeGbk(seller.nickname) + "&nick=nick");
    Text const page = RemoveSpaces(search);
    EXPECT_TRUE(ContainsMarker(page, "商城店铺icon"_gbk));
    EXPECT_TRUE(ContainsMarker(page, seller.nickname));

    bool listed = false;
    for (auto const& entry : view.ItemSearchPage("连衣裙"_gbk, 1)) {
        if (entry.seller == &seller) {
            listed = true;
            EXPECT_TRUE(entry.mall);
        }
    }
    EXPECT_TRUE(listed);
}

} // namespace
} // namespace velmora::market
