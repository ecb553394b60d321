#include "app/click_dispatch.h"
#include "app/memory_form.h"
#include "app/session.h"
#include "support/test_pump.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

constexpr Control SellerList = Control::超级列表框店铺;

struct OpenCase {
    std::string_view name;
    bool item_search_mode;
    std::string_view shop_address; // column 3
    std::string_view item_address; // column 7
    std::string_view opened;
};

TEST(OpenSellerRow, OpensTheColumnOfTheModeAndLeavesAlwaysOnTop)
{
    constexpr OpenCase cases[] = {
        {"item search", true, "title", "http://item.test/item.htm?id=7", "http://item.test/item.htm?id=7"},
        {"shop search", false, "shop.test/shop/33015/", "", "http://shop.test/shop/33015/"},
        {"shop search, empty column 3", false, "", "", "http://"},
        // A list of a shop search double-clicked in item-search mode: the maker's shop.
        {"item search, empty column 7", true, "shop.test/shop/33015/", "", "http://maker.test/"},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryForm form;
        testing::TestPump pump;
        RecordingDesktop desktop;
        Endpoints endpoints;
        endpoints.MakerShopUrl = "http://maker.test/";
        Session session(form, pump, desktop, endpoints);
        form.SetChecked(Control::单选框宝贝搜索, c.item_search_mode);
        form.SetChecked(Control::单选框店铺搜索, !c.item_search_mode);
        for (int row = 0; row < 3; ++row) {
            form.InsertRow(SellerList, row, std::to_string(row + 1));
            form.SetCell(SellerList, row, 3, "other");
            form.SetCell(SellerList, row, 7, "http://other/");
        }
        form.SetCell(SellerList, 1, 3, Text(c.shop_address));
        form.SetCell(SellerList, 1, 7, Text(c.item_address));
        form.SelectRow(SellerList, 1);
        form.SetAlwaysOnTop(true);

        OnDoubleClick(session, SellerList);
        EXPECT_EQ(desktop.opened_urls, std::vector<Text> {Text(c.opened)});
        EXPECT_TRUE(desktop.started_programs.empty());
        EXPECT_FALSE(form.IsAlwaysOnTop());
    }
}

TEST(OpenSellerRow, NothingWithoutASelectedRow)
{
    MemoryForm form;
    testing::TestPump pump;
    RecordingDesktop desktop;
    Session session(form, pump, desktop, Endpoints {});
    form.InsertRow(SellerList, 0, "1");
    form.SetCell(SellerList, 0, 7, "http://item.test/");
    form.SetChecked(Control::单选框宝贝搜索, true);
    form.SetAlwaysOnTop(true);
    form.SelectRow(SellerList, -1);

    OnDoubleClick(session, SellerList);
    EXPECT_TRUE(desktop.opened_urls.empty());
    EXPECT_TRUE(form.IsAlwaysOnTop());

    // A double-click on the buyer list is not this handler's.
    form.SelectRow(SellerList, 0);
    OnDoubleClick(session, Control::超级列表框1);
    EXPECT_TRUE(desktop.opened_urls.empty());
}

}
}
