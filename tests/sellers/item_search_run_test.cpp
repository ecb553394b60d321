// Whole item searches in the list layout against the sample marketplace.
#include "seller_run_harness.h"

#include "sellers/item_search_page.h"

namespace velmora {
namespace {

using testing::DressQuery;

class ItemSearchRun : public testing::SellerRunTest { };

TEST_F(ItemSearchRun, ThreePagesWithTheirRequestsRowsAndLogLines)
{
    form.SetChecked(Control::选择框去重复, false);
    RunItemSearch("连衣裙");

    // Page 1 without an offset; the fragment of later pages never reaches the server.
    std::string const query(DressQuery);
    EXPECT_EQ(SearchTargets(), (std::vector<std::string> {query, query + "&s=40", query + "&s=80"}));
    for (auto const& request : SearchRequests())
        EXPECT_EQ(request.Header("User-Agent"), "zavi.vuv");

    auto const entries = EntriesOf("连衣裙", 1, 3);
    ASSERT_EQ(entries.size(), 97u);
    auto const rows = Rows();
    ASSERT_EQ(rows.size(), entries.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i], RowOf(entries[i], static_cast<int>(i) + 1)) << "row " << i;
    // Every listed seller was probed once; no credit page was read.
    EXPECT_EQ(market.Requests(market::MarketHost::Status).size(), 97u);
    EXPECT_TRUE(market.Requests(market::MarketHost::Rating).empty());

    EXPECT_EQ(LogLines(),
        (std::vector<Text> {"开始采集数据 。。。"_gbk, "可以采集3页   每页40"_gbk, "正在采集第1页。。。"_gbk,
            "正在采集第2页。。。"_gbk, "正在采集第3页。。。"_gbk, "数据采集完毕 。。。"_gbk,
            "共采集到97条数据。"_gbk}));

    EXPECT_EQ(session->state.PageCount, 3);
    EXPECT_EQ(session->state.CurrentPage, 3);
    EXPECT_EQ(session->state.RowCounter, 98);
    EXPECT_EQ(session->state.CurrentUrl,
        "http://" + session->endpoints.ItemSearchHost + query + "&s=80#J_FilterTabBar");
    EXPECT_EQ(session->state.CreditFilterList, "/");

    // Back to idle: the hint panel stays, the busy picture goes, every start button works.
    EXPECT_EQ(form.GetText(Control::按钮搜索卖家), "开始"_gbk);
    EXPECT_FALSE(form.IsVisible(Control::图片框5));
    EXPECT_TRUE(form.IsVisible(Control::分组框提示));
    for (Control button : StartButtons)
        EXPECT_TRUE(form.IsEnabled(button));
    EXPECT_FALSE(session->run_gate.IsRunActive());
}

TEST_F(ItemSearchRun, EveryStartEmptiesTheListAndTheLog)
{
    market.Configure([](market::Scenario& s) {
        s.item_search_pages = 1;
        s.item_search_page_size = 3;
    });
    RunItemSearch("连衣裙");
    RunItemSearch("连衣裙");
    EXPECT_EQ(Rows().size(), 3u);
    EXPECT_EQ(LogLines().front(), "开始采集数据 。。。"_gbk);
    EXPECT_EQ(LogLines().size(), 5u);
}

TEST_F(ItemSearchRun, PageCountIsReadOnce)
{
    // Once page 1 has been read and its sellers are probed, the market reports more pages.
    pump.When([&] { return !market.Requests(market::MarketHost::Status).empty(); },
        [&] { market.Configure([](market::Scenario& s) { s.item_search_pages = 6; }); });
    form.SetChecked(Control::选择框去重复, false);
    RunItemSearch("连衣裙");
    ASSERT_TRUE(pump.AllDone());

    EXPECT_EQ(SearchRequests().size(), 3u);
    auto const lines = LogLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "可以采集3页   每页40"_gbk), 1);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                  [](Text const& line) { return line.starts_with("可以采集"_gbk); }),
        1);
    EXPECT_EQ(session->state.PageCount, 3);
}

TEST_F(ItemSearchRun, LastPageIsTheSmallerOfPageCountAndEndPage)
{
    struct Case {
        int pages;
        std::string_view end_page;
        int pages_read;
    };
    constexpr Case cases[] = {
        {3, "10", 3},
        {100, "10", 10},
        {100, "2", 2},
        {3, "3", 3},
        {3, "1", 1},
        // An end page that is no number, or below 1, ends the run after page 1.
        {3, "0", 1},
        {3, "", 1},
        {3, "abc", 1},
        {3, "-4", 1},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.pages << " pages, end page " << c.end_page);
        market.ClearRequests();
        market.Configure([&](market::Scenario& s) {
            s.item_search_pages = c.pages;
            s.item_search_page_size = 2;
        });
        form.SetText(Control::编辑框结束页, Text(c.end_page));
        form.SetChecked(Control::选择框去重复, false);
        RunItemSearch("连衣裙");

        auto const targets = SearchTargets();
        ASSERT_EQ(targets.size(), static_cast<std::size_t>(c.pages_read));
        EXPECT_EQ(targets.back(),
            c.pages_read == 1 ? std::string(DressQuery)
                              : std::string(DressQuery) + "&s=" + std::to_string(40 * (c.pages_read - 1)));
        EXPECT_EQ(Rows().size(), static_cast<std::size_t>(2 * c.pages_read));
        EXPECT_EQ(LogLines().back(), "共采集到"_gbk + DecimalText(2 * c.pages_read) + "条数据。"_gbk);
    }
}

TEST_F(ItemSearchRun, StartPageHasNoEffect)
{
    form.SetText(Control::编辑框起始页, "3");
    form.SetText(Control::编辑框结束页, "1");
    RunItemSearch("连衣裙");
    EXPECT_EQ(SearchTargets(), std::vector<std::string> {std::string(DressQuery)});
}

TEST_F(ItemSearchRun, AtMostFortyEntriesAPage)
{
    market.Configure([](market::Scenario& s) {
        s.item_search_pages = 2;
        s.item_search_page_size = 45;
    });
    form.SetText(Control::编辑框结束页, "1");
    form.SetChecked(Control::选择框去重复, false);
    RunItemSearch("连衣裙");
    auto const entries = EntriesOf("连衣裙", 1, 1);
    ASSERT_EQ(entries.size(), 45u);
    ASSERT_EQ(Rows().size(), 40u);
    EXPECT_EQ(Rows().back(), RowOf(entries[39], 40));
    EXPECT_EQ(market.Requests(market::MarketHost::Status).size(), 40u);
}

TEST_F(ItemSearchRun, DuplicatesAcrossPagesOnAndOff)
{
    auto const entries = EntriesOf("连衣裙", 1, 3);
    std::vector<Text> unique;
    Text seen_names;
    for (auto const& entry : entries) {
        if (std::find(unique.begin(), unique.end(), entry.nickname) == unique.end()) {
            unique.push_back(entry.nickname);
            seen_names += entry.nickname + "/";
        }
    }
    // The data set repeats sellers, also across pages.
    ASSERT_LT(unique.size(), entries.size());

    form.SetChecked(Control::选择框去重复, true);
    RunItemSearch("连衣裙");
    EXPECT_EQ(Nicknames(), unique);
    EXPECT_EQ(session->state.SeenNames, seen_names);
    // A seller met again costs no probe.
    EXPECT_EQ(market.Requests(market::MarketHost::Status).size(), unique.size());

    market.ClearRequests();
    form.SetChecked(Control::选择框去重复, false);
    RunItemSearch("连衣裙");
    EXPECT_EQ(Rows().size(), entries.size());
    EXPECT_EQ(session->state.SeenNames, "");
}

TEST_F(ItemSearchRun, SellerDroppedByAFilterStaysRemembered)
{
    // Only online sellers on page 1; from page 2 on every state is listed.
    form.SetChecked(Control::选择框去重复, true);
    form.SetChecked(Control::选择框仅在线, true);
    pump.When(
        [&] { return SearchRequests().size() >= 2; }, [&] { form.SetChecked(Control::选择框仅在线, false); });
    RunItemSearch("连衣裙");
    ASSERT_TRUE(pump.AllDone());

    auto const view = market.View();
    std::vector<Text> expected;
    std::vector<Text> seen;
    bool dropped_seller_met_again = false;
    for (int page = 1; page <= 3; ++page) {
        for (auto const& entry : EntriesOf("连衣裙", page, page)) {
            if (std::find(seen.begin(), seen.end(), entry.nickname) != seen.end()) {
                bool was_dropped
                    = std::find(expected.begin(), expected.end(), entry.nickname) == expected.end();
                dropped_seller_met_again = dropped_seller_met_again || (page > 1 && was_dropped);
                continue;
            }
            seen.push_back(entry.nickname);
            if (page == 1 && view.StateOf(entry.nickname) != market::OnlineState::Online)
                continue;
            expected.push_back(entry.nickname);
        }
    }
    ASSERT_TRUE(dropped_seller_met_again);
    EXPECT_EQ(Nicknames(), expected);
}

TEST_F(ItemSearchRun, OnlineOnly)
{
    form.SetChecked(Control::选择框去重复, false);
    form.SetChecked(Control::选择框仅在线, true);
    RunItemSearch("连衣裙");

    auto const entries = EntriesOf("连衣裙", 1, 3);
    std::vector<std::vector<Text>> expected;
    for (auto const& entry : entries) {
        if (StatusOf(entry) == "在线"_gbk)
            expected.push_back(RowOf(entry, static_cast<int>(expected.size()) + 1));
    }
    ASSERT_FALSE(expected.empty());
    ASSERT_LT(expected.size(), entries.size());
    EXPECT_EQ(Rows(), expected);
    // The probe is made for every entry, listed or not.
    EXPECT_EQ(market.Requests(market::MarketHost::Status).size(), entries.size());
}

TEST_F(ItemSearchRun, EnlargedLayoutOnLaterPagesDoesNotSwitch)
{
    // 羽绒服: page 1 in the list layout, page 2 enlarged; the list parser reads both.
    form.SetChecked(Control::选择框去重复, false);
    RunItemSearch("羽绒服");
    auto const lines = LogLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "采集失败，更换方法。。。"_gbk), 0);
    auto const requests = SearchRequests();
    ASSERT_EQ(requests.size(), 3u);
    for (auto const& request : requests)
        EXPECT_EQ(request.Header("User-Agent"), "zavi.vuv");

    // The enlarged page's entries carry no place element: the location is empty there.
    auto const page_one = EntriesOf("羽绒服", 1, 1);
    auto const page_two = EntriesOf("羽绒服", 2, 2);
    auto const rows = Rows();
    ASSERT_EQ(rows.size(), 85u);
    EXPECT_EQ(rows[0], RowOf(page_one[0], 1));
    std::vector<Text> expected_second = RowOf(page_two[0], 41);
    expected_second[4] = "";
    EXPECT_EQ(rows[40], expected_second);
}

TEST_F(ItemSearchRun, UnreadablePageListsNothingAndEndsAfterPageOne)
{
    market.Configure([](market::Scenario& s) {
        s.paces[market::MarketHost::ItemSearch].never_answers = true;
        s.silent_hold = std::chrono::milliseconds(100);
    });
    RunItemSearch("连衣裙");
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(LogLines(),
        (std::vector<Text> {"开始采集数据 。。。"_gbk, "可以采集0页   每页40"_gbk, "正在采集第1页。。。"_gbk,
            "数据采集完毕 。。。"_gbk, "共采集到0条数据。"_gbk}));
    EXPECT_EQ(form.GetText(Control::按钮搜索卖家), "开始"_gbk);
}

TEST_F(ItemSearchRun, KeywordWithoutResults)
{
    RunItemSearch("没有这种东西");
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(SearchRequests().size(), 1u);
    EXPECT_EQ(LogLines().back(), "共采集到0条数据。"_gbk);
}

}
}
