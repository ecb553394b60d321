// Runs started by clicks in the window against the sample marketplace.
#include "text/decimal.h"
#include "window_fixture.h"

#include <QTimer>

namespace velmora::testing {
namespace {

using WindowRuns = MarketWindowTest;

TEST_F(WindowRuns, ShopBuyersFillTheBuyerListAndASecondClickStopsAtTheNextPage)
{
    market.Configure([](market::Scenario& scenario) {
        scenario.paces[market::MarketHost::Rating].delay = std::chrono::milliseconds(300);
    });
    ShowTab(1);
    form().SetText(Control::编辑框店铺地址, market.Endpoints().ExampleShopAddress);

    // The second click, made while the run reads page 2.
    bool stop_clicked = false;
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!stop_clicked && market.Requests(market::MarketHost::Rating).size() >= 2) {
            stop_clicked = true;
            Click(Control::按钮采集买家1);
        }
    });
    watch.start();
    Click(Control::按钮采集买家1);
    watch.stop();

    ASSERT_TRUE(stop_clicked);
    EXPECT_GT(form().RowCount(Control::超级列表框1), 0);
    EXPECT_EQ(market.Requests(market::MarketHost::Rating).size(), 2u);
    Text const log = form().GetText(Control::编辑框提示);
    EXPECT_TRUE(log.ends_with("已经停止采集。。。"_gbk + "\r\n"));
    EXPECT_EQ(log.find("共采集到"_gbk), Text::npos);
    EXPECT_EQ(form().GetText(Control::按钮采集买家1), "开始"_gbk);
    EXPECT_TRUE(form().IsEnabled(Control::按钮采集买家1));
}

TEST_F(WindowRuns, ItemSearchFillsTheSellerListUnderTheItemSearchTitles)
{
    Click(Control::单选框宝贝搜索);
    form().SetText(Control::编辑框关键字, "连衣裙"_gbk);
    form().SetText(Control::编辑框结束页, "1");
    Click(Control::按钮搜索卖家);

    int rows = form().RowCount(Control::超级列表框店铺);
    EXPECT_GT(rows, 0);
    EXPECT_EQ(form().ColumnTitle(Control::超级列表框店铺, 3), "宝贝标题"_gbk);
    EXPECT_EQ(form().ColumnTitle(Control::超级列表框店铺, 7), "宝贝地址"_gbk);
    auto first_page = market.View().ItemSearchPage("连衣裙"_gbk, 1);
    ASSERT_FALSE(first_page.empty());
    EXPECT_EQ(form().Cell(Control::超级列表框店铺, 0, 1), first_page[0].nickname);
    EXPECT_EQ(form().Cell(Control::超级列表框店铺, 0, 7), first_page[0].item_link);
    EXPECT_TRUE(form()
                    .GetText(Control::编辑框提示)
                    .ends_with("共采集到"_gbk + DecimalText(rows) + "条数据。"_gbk + "\r\n"));
    EXPECT_EQ(form().GetText(Control::按钮搜索卖家), "开始"_gbk);
}

TEST_F(WindowRuns, ShopSearchFillsTheSellerListUnderTheShopSearchTitles)
{
    Click(Control::单选框宝贝搜索);
    Click(Control::单选框店铺搜索);
    form().SetText(Control::编辑框关键字, "茶"_gbk);
    Click(Control::按钮搜索卖家);

    // The page the market serves for the keyword, matched in every field.
    market::ShopQuery query;
    query.keyword = "茶"_gbk;
    auto const first_page = market.View().ShopSearchPage(query, 1);
    ASSERT_FALSE(first_page.empty());
    int const rows = form().RowCount(Control::超级列表框店铺);
    EXPECT_EQ(rows, static_cast<int>(first_page.size()));
    EXPECT_EQ(form().ColumnTitle(Control::超级列表框店铺, 3), "店铺地址"_gbk);
    EXPECT_EQ(form().ColumnTitle(Control::超级列表框店铺, 7), "");
    EXPECT_EQ(form().Cell(Control::超级列表框店铺, 0, 1), first_page[0].nickname);
    EXPECT_EQ(form().Cell(Control::超级列表框店铺, 0, 3), first_page[0].shop_address.substr(7));
    EXPECT_EQ(form().Cell(Control::超级列表框店铺, 0, 4), first_page[0].place);
    EXPECT_TRUE(form()
                    .GetText(Control::编辑框提示)
                    .ends_with("共采集到"_gbk + DecimalText(rows) + "条数据。"_gbk + "\r\n"));
    EXPECT_EQ(form().GetText(Control::按钮搜索卖家), "开始"_gbk);
}

}
}
