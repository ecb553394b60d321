// The start/stop button of the seller tab: the keyword check, the two modes, the credit
// level list, the stop click and one run at a time.
#include "seller_run_harness.h"

namespace velmora {
namespace {

using testing::DressQuery;

class SellerController : public testing::SellerRunTest { };

TEST_F(SellerController, EmptyKeywordIsRefusedInItemSearchMode)
{
    // What an earlier run left stays as it was.
    form.InsertRow(SellerList, 0, "1");
    form.SetText(Control::编辑框提示, "earlier log");
    session->state.RowCounter = 2;
    session->state.SeenNames = "a/";
    session->state.CreditFilterList = "/3/";
    form.SetChecked(LevelBox(5), true);
    form.SetFocus(Control::编辑框结束页);

    RunItemSearch("");

    ASSERT_EQ(desktop.message_boxes.size(), 1u);
    EXPECT_EQ(desktop.message_boxes[0].text, " " + "请输入关键字！"_gbk + " ");
    EXPECT_EQ(desktop.message_boxes[0].caption, "提示"_gbk);
    EXPECT_EQ(desktop.message_boxes[0].style, StyleOk);
    EXPECT_EQ(desktop.message_boxes[0].limit_milliseconds, 5000);
    EXPECT_EQ(form.FocusedControl(), Control::编辑框关键字);
    EXPECT_EQ(form.GetText(Control::按钮搜索卖家), "开始"_gbk);
    EXPECT_EQ(form.RowCount(SellerList), 1);
    EXPECT_EQ(form.GetText(Control::编辑框提示), "earlier log");
    EXPECT_EQ(session->state.RowCounter, 2);
    EXPECT_EQ(session->state.SeenNames, "a/");
    EXPECT_EQ(session->state.CreditFilterList, "/3/");
    EXPECT_FALSE(session->run_gate.IsRunActive());
    EXPECT_TRUE(market.AllRequests().empty());
}

TEST_F(SellerController, ShopSearchModeStartsWithoutAKeyword)
{
    ChooseShopSearch();
    for (Control box : {Control::选择框店铺名, Control::选择框掌柜名, Control::选择框宝贝名})
        form.SetChecked(box, false);
    form.SetChecked(LevelBox(2), true);
    RunItemSearch("");

    EXPECT_TRUE(desktop.message_boxes.empty());
    EXPECT_EQ(LogLines().front(), "开始采集数据 。。。"_gbk);
    EXPECT_EQ(session->state.CreditFilterList, "/2/");
    // None of the three name boxes checked at the start: all three are.
    EXPECT_TRUE(form.IsChecked(Control::选择框店铺名));
    EXPECT_TRUE(form.IsChecked(Control::选择框掌柜名));
    EXPECT_TRUE(form.IsChecked(Control::选择框宝贝名));
    EXPECT_TRUE(SearchRequests().empty());
}

TEST_F(SellerController, ShopSearchKeepsTheNameBoxesWhenOneIsChecked)
{
    ChooseShopSearch();
    form.SetChecked(Control::选择框店铺名, false);
    form.SetChecked(Control::选择框掌柜名, true);
    form.SetChecked(Control::选择框宝贝名, false);
    RunItemSearch("茶");
    EXPECT_FALSE(form.IsChecked(Control::选择框店铺名));
    EXPECT_TRUE(form.IsChecked(Control::选择框掌柜名));
    EXPECT_FALSE(form.IsChecked(Control::选择框宝贝名));
}

TEST_F(SellerController, CreditFilterListAscendingWhateverTheClickOrder)
{
    market.Configure([](market::Scenario& s) {
        s.item_search_pages = 1;
        s.item_search_page_size = 1;
    });
    for (int level : {16, 1, 6})
        form.SetChecked(LevelBox(level), true);
    form.SetChecked(LevelBox(21), true); // 选择框0
    RunItemSearch("连衣裙");
    EXPECT_EQ(session->state.CreditFilterList, "/1/6/16/");
}

TEST_F(SellerController, StopDuringPageTwo)
{
    bool disabled_after_stop = false;
    bool nothing_logged = false;
    bool start_refused = false;
    // While page 2 is being read.
    pump.When([&] { return SearchRequests().size() >= 2; },
        [&] {
            Text const log = form.GetText(Control::编辑框提示);
            ClickStart(); // the stop click
            disabled_after_stop = !form.IsEnabled(Control::按钮搜索卖家) && !form.IsVisible(Control::图片框5)
                && form.GetText(Control::按钮搜索卖家) == "开始"_gbk;
            nothing_logged = form.GetText(Control::编辑框提示) == log;
            // A start click while the stopped run finishes its page is ignored.
            ClickStart();
            start_refused = form.GetText(Control::编辑框提示) == log
                && form.GetText(Control::按钮搜索卖家) == "开始"_gbk && desktop.message_boxes.empty();
        });
    form.SetChecked(Control::选择框去重复, false);
    RunItemSearch("连衣裙");
    ASSERT_TRUE(pump.AllDone());
    EXPECT_TRUE(disabled_after_stop);
    EXPECT_TRUE(nothing_logged);
    EXPECT_TRUE(start_refused);

    // Page 2 was finished; page 3 was never read.
    std::string const query(DressQuery);
    EXPECT_EQ(SearchTargets(), (std::vector<std::string> {query, query + "&s=40"}));
    auto const entries = EntriesOf("连衣裙", 1, 2);
    auto const rows = Rows();
    ASSERT_EQ(rows.size(), entries.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i], RowOf(entries[i], static_cast<int>(i) + 1)) << "row " << i;
    EXPECT_EQ(LogLines(),
        (std::vector<Text> {"开始采集数据 。。。"_gbk, "可以采集3页   每页40"_gbk, "正在采集第1页。。。"_gbk,
            "正在采集第2页。。。"_gbk, "已经停止采集。。。"_gbk}));
    EXPECT_EQ(session->state.RowCounter, 81);

    // The collector has returned: the button works again, and a new run starts afresh.
    EXPECT_TRUE(form.IsEnabled(Control::按钮搜索卖家));
    EXPECT_FALSE(session->run_gate.IsRunActive());
    market.Configure([](market::Scenario& s) {
        s.item_search_pages = 1;
        s.item_search_page_size = 2;
    });
    ClickStart();
    EXPECT_EQ(Rows().size(), 2u);
}

TEST_F(SellerController, StopDuringTheLastPageEndsNormally)
{
    market.Configure([](market::Scenario& s) { s.item_search_page_size = 3; });
    pump.When([&] { return SearchRequests().size() >= 3; }, [&] { ClickStart(); });
    RunItemSearch("连衣裙");
    ASSERT_TRUE(pump.AllDone());
    auto const lines = LogLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "数据采集完毕 。。。"_gbk);
    EXPECT_EQ(form.GetText(Control::按钮搜索卖家), "开始"_gbk);
    EXPECT_EQ(SearchRequests().size(), 3u);
}

TEST_F(SellerController, NoStartWhileABuyerRunIsActive)
{
    ASSERT_TRUE(session->run_gate.TryBegin(form, Control::按钮采集买家1));
    form.SetText(Control::编辑框提示, "buyer log");
    RunItemSearch("连衣裙");
    EXPECT_EQ(form.GetText(Control::编辑框提示), "buyer log");
    EXPECT_EQ(form.GetText(Control::按钮搜索卖家), "开始"_gbk);
    EXPECT_TRUE(market.AllRequests().empty());
    EXPECT_EQ(session->run_gate.ActiveButton(), Control::按钮采集买家1);
}

TEST_F(SellerController, OtherStartButtonsAreDisabledDuringTheRun)
{
    bool others_disabled = false;
    pump.When([&] { return !SearchRequests().empty(); },
        [&] {
            others_disabled = !form.IsEnabled(Control::按钮采集买家1)
                && !form.IsEnabled(Control::按钮采集买家2) && form.IsEnabled(Control::按钮搜索卖家)
                && form.GetText(Control::按钮搜索卖家) == "停止"_gbk && form.IsVisible(Control::图片框5)
                && form.IsVisible(Control::分组框提示);
        });
    market.Configure([](market::Scenario& s) {
        s.item_search_pages = 1;
        s.item_search_page_size = 1;
    });
    RunItemSearch("连衣裙");
    ASSERT_TRUE(pump.AllDone());
    EXPECT_TRUE(others_disabled);
    EXPECT_TRUE(form.IsEnabled(Control::按钮采集买家1));
    EXPECT_TRUE(form.IsEnabled(Control::按钮采集买家2));
}

}
}
