// The item and shop search pages, fetched over loopback and cut the way the collectors cut
// them, against the rows the data set says they hold.
#include "market/shop_search_page.h"
#include "market_test_support.h"
#include "web/url_codec.h"

namespace velmora::market {
namespace {

using testing::Block;
using testing::CutField;
using testing::Entries;
using testing::FetchBody;
using testing::ItemEntryMarker;
using testing::ItemEntrySkip;
using testing::PageCountAfter;

struct CutItem {
    Text item_link, title, place, seller_link, nickname;
    bool mall {};
};

// The first-layout cuts: the block between list-view and endlistview, the count after it.
struct NormalPage {
    Text block;
    long long page_count {};
    std::vector<CutItem> items;
};

NormalPage CutNormalPage(std::string_view body)
{
    Text const page = RemoveSpaces(body);
    NormalPage cut;
    auto const list = FindMarker(page, "list-view");
    auto const end = list ? FindMarker(page, "endlistview", *list) : std::nullopt;
    cut.block = CutBetween(page, list, end);
    cut.page_count = PageCountAfter(page, end);
    for (auto const& entry : Entries(cut.block, ItemEntryMarker, ItemEntrySkip)) {
        CutItem item;
        auto const link = CutField(entry, 0, "href", 6, "target", 1);
        auto const title = CutField(entry, link.begin, "title", 7, ">", 1);
        auto const place = CutField(entry, title.begin, "place", 7, "<", 0);
        auto const seller_word = place.begin ? FindMarker(entry, "seller", *place.begin) : std::nullopt;
        auto const seller_link = CutField(
            entry, seller_word ? std::optional(*seller_word + 5) : std::nullopt, "href", 6, "target", 1);
        auto const nickname = CutField(entry, seller_link.begin, ">", 1, "<", 0);
        cut.items.push_back({link.value, title.value, place.value, seller_link.value, nickname.value, false});
    }
    return cut;
}

// The enlarged-layout cuts: the block between 的用户喜欢 and 你是不是想找, the count inside it.
struct EnlargedPage {
    long long page_count {};
    std::vector<CutItem> items;
};

EnlargedPage CutEnlargedPage(std::string_view body, std::string_view mall_host)
{
    Text const page = RemoveSpaces(body);
    Text const block = Block(page, "的用户喜欢"_gbk, "你是不是想找"_gbk);
    EnlargedPage cut;
    cut.page_count = PageCountAfter(block, 0);
    for (auto const& entry : Entries(block, ItemEntryMarker, ItemEntrySkip)) {
        auto const link = CutField(entry, 0, "href", 6, "target", 1);
        auto const title = CutField(entry, link.begin, "title", 7, "\"", 0);
        auto const place = CutField(entry, title.begin, "\"loc\"", 6, "<", 0);
        auto const seller_link = CutField(entry, place.begin, "seller", 16, "target", 1);
        auto const nickname = CutField(entry, seller_link.begin, ">", 1, "<", 0);
        cut.items.push_back({link.value, title.value, place.value, seller_link.value, nickname.value,
            ContainsMarker(entry, mall_host)});
    }
    return cut;
}

void ExpectSameItems(std::vector<CutItem> const& cut, std::vector<ItemEntry> const& expected,
    bool compare_mall, std::string const& where)
{
    ASSERT_EQ(cut.size(), expected.size()) << where;
    for (std::size_t i = 0; i < cut.size(); ++i) {
        SCOPED_TRACE(where + " entry " + std::to_string(i));
        EXPECT_EQ(cut[i].item_link, expected[i].item_link);
        EXPECT_EQ(cut[i].title, expected[i].title);
        EXPECT_EQ(cut[i].place, expected[i].place);
        EXPECT_EQ(cut[i].seller_link, expected[i].seller_link);
        EXPECT_EQ(cut[i].nickname, expected[i].nickname);
        if (compare_mall) {
            EXPECT_EQ(cut[i].mall, expected[i].mall);
        }
    }
}

Text ItemSearchTarget(Text const& keyword, int page)
{
    Text target = "/search?q=" + UrlCodec {}.EncodeGbk(keyword);
    if (page > 1)
        target += "&s=" + DecimalText((page - 1) * SearchPageStride) + "#J_FilterTabBar";
    return target;
}

class SearchPages : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_market = testing::StartedMarket(); }
    static void TearDownTestSuite() { s_market.reset(); }
    static std::unique_ptr<SampleMarket> s_market;
};
std::unique_ptr<SampleMarket> SearchPages::s_market;

TEST_F(SearchPages, EveryPageOfEveryKeywordCutsIntoTheDataSetsEntriesInItsLayout)
{
    MarketView const view = s_market->View();
    Text const item_search = view.Addresses().ItemSearchHost;
    for (auto const& listing : view.Data().Listings()) {
        int const pages = view.ItemSearchPageCount(listing.keyword);
        ASSERT_GE(pages, 1);
        for (int page = 1; page <= pages; ++page) {
            std::string const where = GbkToUtf8(listing.keyword) + " page " + std::to_string(page);
            std::string const body = FetchBody(item_search, ItemSearchTarget(listing.keyword, page));
            auto const expected = view.ItemSearchPage(listing.keyword, page);
            EXPECT_LE(expected.size(), 40u) << where;
            NormalPage const normal = CutNormalPage(body);
            if (view.IsEnlargedPage(listing, page)) {
                EXPECT_TRUE(ContainsMarker(normal.block, "list-view-enlarge-4pic")) << where;
                EnlargedPage const enlarged = CutEnlargedPage(body, view.Addresses().MallHost);
                EXPECT_EQ(enlarged.page_count, pages) << where;
                ExpectSameItems(enlarged.items, expected, true, where);
            } else {
                EXPECT_FALSE(ContainsMarker(normal.block, "list-view-enlarge-4pic")) << where;
                EXPECT_FALSE(ContainsMarker(RemoveSpaces(body), "的用户喜欢"_gbk)) << where;
                EXPECT_EQ(normal.page_count, pages) << where;
                ExpectSameItems(normal.items, expected, false, where);
            }
        }
    }
}

TEST_F(SearchPages, KeywordsComeInTheLayoutsTheTestsRelyOn)
{
    struct {
        char const* keyword;
        int pages;
        bool first_enlarged, second_enlarged;
    } const cases[] = {
        {"连衣裙", 3, false, false},
        {"羽绒服", 3, false, true},
        {"手机壳", 2, true, false},
        {"铁观音", 2, true, true},
        {"iPhone4", 1, false, false},
    };
    MarketView const view = s_market->View();
    for (auto const& c : cases) {
        SCOPED_TRACE(c.keyword);
        KeywordListing const* listing = view.Listing(Utf8ToGbk(c.keyword));
        ASSERT_NE(listing, nullptr);
        EXPECT_EQ(view.ItemSearchPageCount(listing->keyword), c.pages);
        EXPECT_EQ(view.IsEnlargedPage(*listing, 1), c.first_enlarged);
        EXPECT_EQ(view.IsEnlargedPage(*listing, 2), c.second_enlarged);
    }
}

TEST_F(SearchPages, AGbkKeywordFindsItsItemsHoweverItIsEncoded)
{
    MarketView const view = s_market->View();
    Text const keyword = "连衣裙"_gbk;
    Text const item_search = view.Addresses().ItemSearchHost;
    std::string const targets[] = {
        "/search?q=" + UrlCodec {}.EncodeGbk(keyword),
        "/search?q=" + UrlCodec {}.EncodeGbk(keyword, GbkEscaping::EveryByte),
        "/search?q=" + keyword, // the bytes unescaped
        "/search?q=" + UrlCodec {}.EncodeGbk(" " + keyword + " "),
    };
    auto const expected = view.ItemSearchPage(keyword, 1);
    ASSERT_EQ(expected.size(), 40u);
    for (auto const& target : targets) {
        NormalPage const cut = CutNormalPage(FetchBody(item_search, target));
        ExpectSameItems(cut.items, expected, false, target);
        for (auto const& item : cut.items)
            EXPECT_TRUE(ContainsMarker(item.title, keyword)) << GbkToUtf8(item.title);
    }
    // Letters keep their case in the address, and the search ignores it.
    NormalPage const upper = CutNormalPage(FetchBody(item_search, "/search?q=IPHONE4"));
    ExpectSameItems(upper.items, view.ItemSearchPage("iPhone4", 1), false, "IPHONE4");
}

TEST_F(SearchPages, AnUnknownKeywordGivesAPageWithoutListOrCount)
{
    MarketView const view = s_market->View();
    std::string const body = FetchBody(
        view.Addresses().ItemSearchHost, "/search?q=" + UrlCodec {}.EncodeGbk("没有这个宝贝"_gbk));
    Text const page = RemoveSpaces(body);
    EXPECT_FALSE(ContainsMarker(page, "list-view"));
    EXPECT_FALSE(ContainsMarker(page, "共"_gbk));
    EXPECT_FALSE(ContainsMarker(page, "<liclass"));
}

TEST_F(SearchPages, MallSellersCarryTheMallHostInTheirEntries)
{
    MarketView const view = s_market->View();
    std::size_t malls = 0, others = 0;
    for (auto const& entry : view.ItemSearchPage("手机壳"_gbk, 1))
        ++(entry.mall ? malls : others);
    EXPECT_GT(malls, 0u);
    EXPECT_GT(others, 0u);
}

// Shop search.

struct CutShop {
    Text address, nickname, place, credit;
    bool mall_icon {};
};

struct ShopPage {
    long long page_count {};
    bool has_table {};
    std::vector<CutShop> shops;
};

ShopPage CutShopPage(std::string_view body, Text const& rating_host)
{
    Text const page = RemoveSpaces(body);
    ShopPage cut;
    auto const start = FindMarker(page, "表格内容循环开始"_gbk);
    auto const end = start ? FindMarker(page, "表格内容循环结束"_gbk, *start) : std::nullopt;
    cut.has_table = start && end;
    cut.page_count = PageCountAfter(page, end);
    Text const region = CutBetween(page, start, end);
    Text const keeper_marker = "http://" + rating_host + "/";
    for (auto const& entry : Entries(region, "大图模式增加"_gbk, 21)) {
        auto const dt = FindMarker(entry, "<dt>");
        auto const address = CutField(entry, dt, "href=", 6, "class", 1);
        auto const name_end = address.begin ? FindMarker(entry, ">", *address.begin) : std::nullopt;
        auto const keeper = name_end ? FindMarker(entry, keeper_marker, *name_end + 1) : std::nullopt;
        auto const nickname = CutField(entry, keeper, ">", 1, "<", 0);
        auto const cell = nickname.begin ? FindMarker(entry, "<td>", *nickname.begin) : std::nullopt;
        auto const place = CutField(entry, cell, "<p>", 3, "</p>", 0);
        auto const credit = CutField(entry, place.begin, "data-rank=", 11, "href", 1);
        cut.shops.push_back({address.value, nickname.value, place.value, credit.value,
            ContainsMarker(entry, "商城店铺icon"_gbk)});
    }
    return cut;
}

struct ShopSearch {
    char const* keyword;
    char const* category;
    char const* category_id;
    char const* root_id;
};

Text FirstShopPageTarget(ShopSearch const& search)
{
    UrlCodec const codec;
    return "/browse/shop_search.htm?shopf=newsearch&stat=5&cattype=1&q="
        + codec.EncodeGbk(Utf8ToGbk(search.keyword)) + "&cat=" + search.category_id
        + "&catName=" + codec.EncodeGbk(Utf8ToGbk(search.category)) + "&rootCat=" + search.root_id
        + "&title=title&nick=nick&tag=tag&tab=1";
}

Text NextShopPageTarget(ShopSearch const& search, int page)
{
    UrlCodec const codec;
    return "/browse/shop_search.htm?cattype=1&tab=3&title=title&shopf=newsearch&s="
        + DecimalText((page - 1) * SearchPageStride)
        + "&nick=nick&q=" + codec.EncodeGbk(Utf8ToGbk(search.keyword))
        + "&catName=" + codec.EncodeGbk(Utf8ToGbk(search.category)) + "&stat=4&title=title&nick=nick&tag=tag";
}

void ExpectSameShops(ShopPage const& cut, std::vector<ShopEntry> const& expected, std::string const& where)
{
    ASSERT_EQ(cut.shops.size(), expected.size()) << where;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(where + " shop " + std::to_string(i));
        EXPECT_EQ(cut.shops[i].address, expected[i].shop_address);
        EXPECT_EQ(cut.shops[i].nickname, expected[i].nickname);
        EXPECT_EQ(cut.shops[i].place, expected[i].place);
        EXPECT_EQ(cut.shops[i].credit, expected[i].credit_value);
        EXPECT_EQ(cut.shops[i].mall_icon, expected[i].mall);
    }
}

TEST_F(SearchPages, ShopSearchFirstAndFollowingPagesCutIntoTheMatchingShops)
{
    ShopSearch const searches[] = {
        {"女装", "所有类目", "", ""},
        {"", "所有类目", "", ""},
        {"茶", "零食/坚果/茶叶/特产", "50002766", "6"},
        {"手机壳", "3C数码配件市场", "50008090", "2"},
        {"连衣裙", "女装/女士精品", "16", "1"},
    };
    MarketView const view = s_market->View();
    Text const shop_search = view.Addresses().ShopSearchHost;
    for (auto const& search : searches) {
        std::string const where = std::string(search.keyword) + " in " + search.category;
        Text const first = FirstShopPageTarget(search);
        ShopQuery const query = ShopQueryFromTarget(RequestTarget(first));
        int const pages = view.ShopSearchPageCount(query);
        ASSERT_GE(pages, 1) << where;
        ShopPage const page_one = CutShopPage(FetchBody(shop_search, first), view.Addresses().RatingHost);
        EXPECT_EQ(page_one.page_count, pages) << where;
        ExpectSameShops(page_one, view.ShopSearchPage(query, 1), where + " page 1");
        for (int page = 2; page <= pages; ++page) {
            Text const next = NextShopPageTarget(search, page);
            ShopPage const cut = CutShopPage(FetchBody(shop_search, next), view.Addresses().RatingHost);
            ExpectSameShops(cut, view.ShopSearchPage(ShopQueryFromTarget(RequestTarget(next)), page),
                where + " page " + std::to_string(page));
        }
    }
}

TEST_F(SearchPages, ShopSearchesSpanSeveralPagesAndShowMallShops)
{
    MarketView const view = s_market->View();
    ShopQuery everything;
    EXPECT_GE(view.ShopSearchPageCount(everything), 2);
    bool mall_seen = false;
    for (auto const& entry : view.ShopSearchPage(everything, 1))
        mall_seen = mall_seen || entry.mall;
    EXPECT_TRUE(mall_seen);
}

TEST_F(SearchPages, AShopSearchWithoutMatchesHasNoTableAndNoCount)
{
    ShopSearch const searches[] = {
        {"女装", "男装", "30", "1"}, // a category without such shops
        {"女装", "宠物/宠物食品及用品", "29", "8"}, // a category the marketplace has no shops in
        {"没有这家店", "所有类目", "", ""},
    };
    MarketView const view = s_market->View();
    for (auto const& search : searches) {
        ShopPage const cut
            = CutShopPage(FetchBody(view.Addresses().ShopSearchHost, FirstShopPageTarget(search)),
                view.Addresses().RatingHost);
        EXPECT_FALSE(cut.has_table) << search.keyword << " " << search.category;
        EXPECT_EQ(cut.page_count, 0) << search.keyword << " " << search.category;
    }
}

TEST(SearchPageCounts, ASwitchedPageCountIsReportedAndEveryPageUpToItIsFull)
{
    Scenario scenario;
    scenario.item_search_pages = 100;
    scenario.shop_search_pages = 7;
    auto market = testing::StartedMarket(scenario);
    MarketView const view = market->View();
    Text const keyword = "连衣裙"_gbk;

    NormalPage const first
        = CutNormalPage(FetchBody(view.Addresses().ItemSearchHost, ItemSearchTarget(keyword, 1)));
    EXPECT_EQ(first.page_count, 100);
    NormalPage const last
        = CutNormalPage(FetchBody(view.Addresses().ItemSearchHost, ItemSearchTarget(keyword, 100)));
    ExpectSameItems(last.items, view.ItemSearchPage(keyword, 100), false, "page 100");
    EXPECT_EQ(last.items.size(), 40u);
    NormalPage const beyond
        = CutNormalPage(FetchBody(view.Addresses().ItemSearchHost, ItemSearchTarget(keyword, 101)));
    EXPECT_TRUE(beyond.items.empty());
    EXPECT_EQ(beyond.page_count, 100);

    ShopSearch const search {"", "所有类目", "", ""};
    ShopPage const shops
        = CutShopPage(FetchBody(view.Addresses().ShopSearchHost, NextShopPageTarget(search, 7)),
            view.Addresses().RatingHost);
    EXPECT_EQ(shops.page_count, 7);
    EXPECT_EQ(shops.shops.size(), 40u);
}

TEST(SearchPageCounts, ALargerPageHoldsMoreThanFortyEntries)
{
    Scenario scenario;
    scenario.item_search_page_size = 45;
    auto market = testing::StartedMarket(scenario);
    MarketView const view = market->View();
    NormalPage const cut
        = CutNormalPage(FetchBody(view.Addresses().ItemSearchHost, ItemSearchTarget("连衣裙"_gbk, 1)));
    EXPECT_EQ(cut.items.size(), 45u);
    ExpectSameItems(cut.items, view.ItemSearchPage("连衣裙"_gbk, 1), false, "45 a page");
}

TEST(SearchLayouts, TheLayoutOfAKeywordCanBeSwitched)
{
    Scenario scenario;
    scenario.item_layouts["连衣裙"_gbk] = ItemLayout::EnlargedEveryPage;
    auto market = testing::StartedMarket(scenario);
    MarketView const view = market->View();
    for (int page = 1; page <= 3; ++page) {
        EnlargedPage const cut = CutEnlargedPage(
            FetchBody(view.Addresses().ItemSearchHost, ItemSearchTarget("连衣裙"_gbk, page)),
            view.Addresses().MallHost);
        EXPECT_EQ(cut.page_count, 3);
        ExpectSameItems(
            cut.items, view.ItemSearchPage("连衣裙"_gbk, page), true, "page " + std::to_string(page));
    }
}

} // namespace
} // namespace velmora::market
