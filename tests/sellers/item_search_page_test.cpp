#include "sellers/item_search_page.h"

#include "sellers/page_fixture.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using testing::ReadPageTextFixture;

TEST(ItemSearchPageUrl, FirstPageWithoutOffsetLaterPagesWithOffsetAndFragment)
{
    Endpoints endpoints;
    endpoints.ItemSearchHost = "127.0.0.1:8001";
    UrlCodec codec;
    struct Case {
        std::string_view keyword; // UTF-8
        int page;
        std::string_view url;
    };
    constexpr Case cases[] = {
        {"dress", 1, "http://127.0.0.1:8001/search?q=dress"},
        {"dress", 2, "http://127.0.0.1:8001/search?q=dress&s=40#J_FilterTabBar"},
        {"dress", 3, "http://127.0.0.1:8001/search?q=dress&s=80#J_FilterTabBar"},
        {"dress", 11, "http://127.0.0.1:8001/search?q=dress&s=400#J_FilterTabBar"},
        // The GBK encoding of the keyword: 连衣裙 is C1 AC D2 C2 C8 B9 in GBK.
        {"连衣裙", 1, "http://127.0.0.1:8001/search?q=%C1%AC%D2%C2%C8%B9"},
        {"a b&c", 2, "http://127.0.0.1:8001/search?q=a%20b%26c&s=40#J_FilterTabBar"},
        {"", 1, "http://127.0.0.1:8001/search?q="},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(ItemSearchPageUrl(endpoints, codec, Utf8ToGbk(c.keyword), c.page), c.url);
    }
}

TEST(ListBlock, FromListViewUpToEndListView)
{
    Text page = ReadPageTextFixture("sellers/list_layout_page.html");
    std::string_view block = ListBlock(page);
    EXPECT_TRUE(block.starts_with("list-view\""));
    EXPECT_TRUE(block.ends_with("<!--"));
    EXPECT_FALSE(IsEnlargedLayout(block));

    EXPECT_EQ(ListBlock("x list-view a b"), "");
    EXPECT_EQ(ListBlock("endlistview list-view a"), "");
    EXPECT_EQ(ListBlock("endlistview list-view a endlistview"), "list-view a ");
}

TEST(ListPageCount, ReadAfterTheBlockEndNotBeforeIt)
{
    // 共 99 页 in the head stands before the block and is not seen.
    EXPECT_EQ(ListPageCount(ReadPageTextFixture("sellers/list_layout_page.html")), 7);

    struct Case {
        std::string_view page; // UTF-8, spaces already removed
        std::int32_t count;
    };
    constexpr Case cases[] = {
        {"list-view共2页endlistview共3页", 3},
        // Without the block's end the count is looked for from the start of the page.
        {"共2页list-view共3页", 2},
        {"list-view共2页endlistview", 0},
        {"list-viewendlistview共页", 0},
        {"list-viewendlistview共x页", 0},
        {"list-viewendlistview共12", 0},
        {"list-viewendlistview共100页", 100},
        {"list-viewendlistview共0页", 0},
        {"", 0},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.page);
        EXPECT_EQ(ListPageCount(Utf8ToGbk(c.page)), c.count);
    }
}

TEST(EnlargedLayout, SeenInTheListBlockOnly)
{
    Text page = ReadPageTextFixture("sellers/enlarged_layout_page.html");
    EXPECT_TRUE(IsEnlargedLayout(ListBlock(page)));
    EXPECT_FALSE(IsEnlargedLayout(ListBlock("list-view endlistview list-view-enlarge-4pic")));
}

TEST(ResultBlock, BetweenTheRecommendationAndTheSuggestion)
{
    Text page = ReadPageTextFixture("sellers/enlarged_layout_page.html");
    std::string_view block = ResultBlock(page);
    EXPECT_TRUE(block.starts_with("的用户喜欢"_gbk));
    EXPECT_TRUE(block.ends_with("</li>\n</ul>\n<p>"));
    // The count inside the block, not the one after it.
    EXPECT_EQ(ResultPageCount(block), 12);

    EXPECT_EQ(ResultBlock("你是不是想找 的用户喜欢"_gbk), "");
    EXPECT_EQ(ResultBlock("的用户喜欢 a"_gbk), "");
    EXPECT_EQ(ResultPageCount("共5页"_gbk), 5);
    EXPECT_EQ(ResultPageCount("页共"_gbk), 0);
}

}
}
