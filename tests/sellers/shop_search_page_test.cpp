// The shop search's addresses, the table region and page count of a result page, and the
// opening date of a shop page.
#include "sellers/shop_search_page.h"

#include "app/memory_form.h"
#include "text/spaces.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace velmora {
namespace {

Endpoints ExampleEndpoints()
{
    Endpoints endpoints = Endpoints::Marketplace();
    endpoints.ShopSearchHost = "shop.example.com";
    return endpoints;
}

struct BoxCase {
    bool shop_names;
    bool keeper_names;
    bool item_names;
    std::string_view appended;
};

constexpr BoxCase BoxCases[] = {
    {false, false, false, ""},
    {true, false, false, "&title=title"},
    {false, true, false, "&nick=nick"},
    {false, false, true, "&tag=tag"},
    {true, true, false, "&title=title&nick=nick"},
    {true, false, true, "&title=title&tag=tag"},
    {false, true, true, "&nick=nick&tag=tag"},
    {true, true, true, "&title=title&nick=nick&tag=tag"},
};

void TickBoxes(MemoryForm& form, BoxCase const& c)
{
    form.SetChecked(Control::选择框店铺名, c.shop_names);
    form.SetChecked(Control::选择框掌柜名, c.keeper_names);
    form.SetChecked(Control::选择框宝贝名, c.item_names);
}

std::string BoxTrace(BoxCase const& c)
{
    return "boxes " + std::to_string(c.shop_names) + std::to_string(c.keeper_names)
        + std::to_string(c.item_names);
}

TEST(ShopSearchAddress, FirstPageForEveryCombinationOfTheNameBoxes)
{
    MemoryForm form;
    CollectionState state;
    form.SetText(Control::编辑框关键字, "连衣裙"_gbk);
    form.SetText(Control::组合框类别, "手机"_gbk);
    // The start page is not part of the address the run keeps.
    form.SetText(Control::编辑框起始页, "3");
    state.CategoryId = "1512";
    state.RootCategoryId = "2";
    for (auto const& c : BoxCases) {
        SCOPED_TRACE(BoxTrace(c));
        TickBoxes(form, c);
        EXPECT_EQ(ShopFirstPageUrl(form, state, ExampleEndpoints()),
            "http://shop.example.com/browse/shop_search.htm?shopf=newsearch&stat=5&cattype=1"
            "&q=%C1%AC%D2%C2%C8%B9&cat=1512&catName=%CA%D6%BB%FA&rootCat=2"
                + std::string(c.appended) + "&tab=");
    }
}

TEST(ShopSearchAddress, FirstPageWithoutKeywordOrCategory)
{
    MemoryForm form;
    CollectionState state;
    form.SetText(Control::编辑框关键字, "");
    form.SetText(Control::组合框类别, "所有类目"_gbk);
    TickBoxes(form, BoxCases[7]);
    // Letters, digits and the safe signs stay; everything else is escaped.
    EXPECT_EQ(ShopFirstPageUrl(form, state, ExampleEndpoints()),
        "http://shop.example.com/browse/shop_search.htm?shopf=newsearch&stat=5&cattype=1&q=&cat="
        "&catName=%CB%F9%D3%D0%C0%E0%C4%BF&rootCat=&title=title&nick=nick&tag=tag&tab=");
    form.SetText(Control::编辑框关键字, "a b&c");
    EXPECT_NE(ShopFirstPageUrl(form, state, ExampleEndpoints()).find("&q=a%20b%26c&cat="), std::string::npos);
}

TEST(ShopSearchAddress, LaterPagesForEveryCombinationOfTheNameBoxes)
{
    MemoryForm form;
    UrlCodec codec;
    form.SetText(Control::编辑框关键字, "连衣裙"_gbk);
    form.SetText(Control::组合框类别, "手机"_gbk);
    for (auto const& c : BoxCases) {
        SCOPED_TRACE(BoxTrace(c));
        TickBoxes(form, c);
        EXPECT_EQ(ShopNextPageUrl(form, codec, ExampleEndpoints(), 2),
            "http://shop.example.com/browse/shop_search.htm?cattype=1&tab=3&title=title&shopf=newsearch&s=40"
            "&nick=nick&q=%C1%AC%D2%C2%C8%B9&catName=%CA%D6%BB%FA&stat=4"
                + std::string(c.appended));
    }
}

TEST(ShopSearchAddress, LaterPagesAreFortyResultsApart)
{
    MemoryForm form;
    UrlCodec codec;
    form.SetText(Control::编辑框关键字, "");
    form.SetText(Control::组合框类别, "");
    TickBoxes(form, BoxCases[0]);
    struct {
        int page;
        std::string_view offset;
    } const cases[]
        = {{2, "40"}, {3, "80"}, {10, "360"}, {std::numeric_limits<std::int32_t>::max(), "85899345840"}};
    for (auto const& c : cases) {
        SCOPED_TRACE(c.page);
        EXPECT_EQ(ShopNextPageUrl(form, codec, ExampleEndpoints(), c.page),
            "http://shop.example.com/browse/shop_search.htm?cattype=1&tab=3&title=title&shopf=newsearch&s="
                + std::string(c.offset) + "&nick=nick&q=&catName=&stat=4");
    }
}

TEST(ShopSearchPage, TableRegionAndPageCount)
{
    struct Case {
        std::string_view page; // UTF-8, spaces are removed before the search
        std::string_view region; // UTF-8
        std::int32_t page_count;
    };
    Case const cases[] = {
        {"<!-- 表格内容循环开始 -->entries<!-- 表格内容循环结束 --> 1/5 共 5 页",
            "表格内容循环开始-->entries<!--", 5},
        // Only the first 共 after the end marker counts.
        {"共 3 页 表格内容循环开始 a 表格内容循环结束 x 共 7 页 共 9 页", "表格内容循环开始a", 7},
        {"表格内容循环开始 共 3 页 表格内容循环结束 共 12页", "表格内容循环开始共3页", 12},
        // Without the end marker, the page count is read from the start of the page.
        {"共 4 页 表格内容循环开始 a 共 8 页", "", 4},
        // An end marker before the start marker is not the table's end.
        {"表格内容循环结束 共 6 页 表格内容循环开始 a", "", 6},
        {"a 表格内容循环结束 共 2 页", "", 2},
        {"表格内容循环开始 a 表格内容循环结束 no count", "表格内容循环开始a", 0},
        {"表格内容循环开始表格内容循环结束共页", "表格内容循环开始", 0},
        {"表格内容循环开始表格内容循环结束共abc页", "表格内容循环开始", 0},
        {"表格内容循环开始表格内容循环结束共12", "表格内容循环开始", 0},
        {"表格内容循环开始表格内容循环结束共 99999999999 页", "表格内容循环开始",
            std::numeric_limits<std::int32_t>::max()},
        {"", "", 0},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.page);
        Text const page = RemoveSpaces(Utf8ToGbk(c.page));
        EXPECT_EQ(Text(ShopTableRegion(page)), Utf8ToGbk(c.region));
        EXPECT_EQ(ShopPageCount(page), c.page_count);
    }
}

TEST(ShopSearchPage, OpeningDateOfAShopPage)
{
    struct Case {
        std::string_view page; // UTF-8, spaces are removed before the search
        std::string_view date;
    };
    Case const cases[] = {
        {"<li><span class=\"label\">创店时间：</span>2008-01-01</li>", "2008-01-01"},
        {"<span>创店时间</span>2011年1月1日<br/>", "2011年1月1日"},
        // The date begins right after the first </span> that follows the label.
        {"<span>2001</span><span>创店时间：<b>x</b></span>2003-03-03</li>", "2003-03-03"},
        {"<span>创店时间：</span> 2004 - 09 - 22 </li>", "2004-09-22"},
        // A text without 20 is no date.
        {"<span>创店时间：</span>1999-12-31</li>", ""},
        {"<span>创店时间：</span>未知</li>", ""},
        {"<span>创店时间：</span></li>", ""},
        // A missing marker gives no date.
        {"<span>开店时间：</span>2008-01-01</li>", ""},
        {"创店时间：2008-01-01</li>", ""},
        {"<span>创店时间：</span>2008-01-01", ""},
        {"", ""},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.page);
        EXPECT_EQ(ReadShopOpeningDate(RemoveSpaces(Utf8ToGbk(c.page))), Utf8ToGbk(c.date));
    }
}

}
}
