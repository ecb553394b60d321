// Whole buyer runs against the sample marketplace on loopback, driven through the window's
// click dispatch with the in-memory form and a test pump.
#include "app/click_dispatch.h"
#include "app/memory_form.h"
#include "app/session.h"
#include "buyers/chat_link.h"
#include "buyers/item_buyers.h"
#include "market/sample_market.h"
#include "support/test_pump.h"
#include "text/decimal.h"
#include "text/marker_search.h"
#include "web/fetch_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <vector>

namespace velmora {
namespace {

using market::MarketHost;
using market::OnlineState;
using Row = std::vector<Text>;

Text StatusText(OnlineState state)
{
    switch (state) {
    case OnlineState::Online:
        return "在线"_gbk;
    case OnlineState::Mobile:
        return "手机"_gbk;
    case OnlineState::Offline:
        return "离线"_gbk;
    case OnlineState::Unknown:
        break;
    }
    return " -  ";
}

bool IsMasked(Text const& nickname)
{
    return ContainsMarker(nickname, "**");
}

// What a run should list from the nicknames the pages carried, in page order: the first
// occurrence of each name, without masked names, without names over 20 bytes where those
// are skipped, and with only online buyers when asked.
struct Expected {
    std::vector<Row> rows;
    std::vector<Text> probed; // in probe order
};

enum class Lengths { Any, AtMost20Bytes };
enum class Listing { Everyone, OnlineOnly };

Expected ExpectedFrom(
    market::MarketView const& view, std::vector<Text> const& nicknames, Lengths lengths, Listing listing)
{
    Expected expected;
    std::set<Text> seen;
    for (auto const& nickname : nicknames) {
        if (seen.count(nickname) || (lengths == Lengths::AtMost20Bytes && nickname.size() > 20))
            continue;
        seen.insert(nickname);
        if (IsMasked(nickname))
            continue;
        expected.probed.push_back(nickname);
        OnlineState state = view.StateOf(nickname);
        if (listing == Listing::OnlineOnly && state != OnlineState::Online)
            continue;
        Text number = DecimalText(static_cast<std::int64_t>(expected.rows.size()) + 1);
        expected.rows.push_back({number, nickname, StatusText(state)});
    }
    return expected;
}

template<typename T> void Append(std::vector<T>& to, std::vector<T> const& more)
{
    to.insert(to.end(), more.begin(), more.end());
}

class BuyerRuns : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto started = market.Start();
        ASSERT_TRUE(started) << started.message;
        session = std::make_unique<Session>(form, pump, desktop, market.Endpoints());
        // The buyer tab is the current one when its buttons are clicked.
        form.SetCurrentTab(1);
    }

    market::MarketView View() const { return market.View(); }
    market::Seller const& ExampleSeller() const { return market.Data().ExampleShopSeller(); }
    market::Item ExampleItem() const { return market.Data().ExampleItem(); }

    std::vector<Text> SellerPages(int first, int last) const
    {
        std::vector<Text> nicknames;
        for (int page = first; page <= last; ++page)
            Append(nicknames, View().SellerRatingPage(ExampleSeller(), page));
        return nicknames;
    }

    // The first 15 nicknames of each item rating page: what the scan cuts.
    std::vector<Text> ItemPages(int first, int last) const
    {
        std::vector<Text> nicknames;
        for (int page = first; page <= last; ++page) {
            auto all = View().ItemRatingPage(ExampleItem(), page);
            all.resize(std::min<std::size_t>(all.size(), 15));
            Append(nicknames, all);
        }
        return nicknames;
    }

    std::vector<Row> Rows() const
    {
        std::vector<Row> rows;
        for (int row = 0; row < form.RowCount(Control::超级列表框1); ++row)
            rows.push_back(form.Row(Control::超级列表框1, row));
        return rows;
    }

    // The status log's lines without the leading middle dot.
    std::vector<Text> LogLines() const
    {
        std::vector<Text> lines;
        Text log = form.GetText(Control::编辑框提示);
        std::size_t position = 0;
        while (position < log.size()) {
            std::size_t end = log.find("\r\n", position);
            if (end == Text::npos)
                end = log.size();
            Text line = log.substr(position, end - position);
            EXPECT_EQ(line.substr(0, 2), "\xA1\xA4") << "log line without its dot";
            lines.push_back(line.substr(2));
            position = end + 2;
        }
        return lines;
    }

    // The nicknames whose status the messenger was asked for, in order.
    std::vector<Text> ProbedNicknames() const
    {
        std::vector<Text> probed;
        for (auto const& request : market.Requests(MarketHost::Status)) {
            bool known = false;
            for (auto const& buyer : market.Data().Buyers()) {
                if (request.target == StatusTarget(buyer.nickname)) {
                    probed.push_back(buyer.nickname);
                    known = true;
                }
            }
            EXPECT_TRUE(known) << "status request for no buyer of the data set: " << request.target;
        }
        return probed;
    }

    Text StatusTarget(Text const& nickname) const
    {
        return "/online.aw?v=2&uid=" + session->state.Codec.EncodeUtf8(nickname)
            + "&site=cntaobao&s=1&charset=utf-8";
    }

    std::vector<std::string> Targets(MarketHost host) const
    {
        std::vector<std::string> targets;
        for (auto const& request : market.Requests(host))
            targets.push_back(request.target);
        return targets;
    }

    std::string SellerRatingTarget(int page) const
    {
        Text n = DecimalText(page);
        return "/member_rate.htm?user_id=" + ExampleSeller().user_id
            + "&rater=0&content=1&direction=0&identity=1&from=rate&page=" + n + "&current_page=" + n;
    }

    std::string ItemRatingTarget(int page) const
    {
        return "/detail_rate.htm?userNumId=" + market.Data().Sellers()[ExampleItem().seller].user_id
            + "&auctionNumId=" + ExampleItem().id + "&currentPage=" + DecimalText(page);
    }

    // Runs action at the first pump call at which condition holds: the pump's Nth call, N
    // found while the run goes.
    void AtFirstCallWhen(std::function<bool()> condition, std::function<void()> action)
    {
        m_watch = [this, condition = std::move(condition), action = std::move(action)] {
            if (condition())
                action();
            else
                pump.OnCall(pump.RunCount() + 1, m_watch);
        };
        pump.OnCall(1, m_watch);
    }

    void ExpectIdleAfterTheRun(Control button) const
    {
        EXPECT_EQ(form.GetText(button), "开始"_gbk);
        EXPECT_FALSE(form.IsVisible(Control::图片框5));
        EXPECT_TRUE(form.IsVisible(Control::分组框提示));
        for (Control start : StartButtons)
            EXPECT_TRUE(form.IsEnabled(start));
        EXPECT_FALSE(session->run_gate.IsRunActive());
    }

    static Text PageLine(int page) { return "正在采集第"_gbk + DecimalText(page) + "页。。。"_gbk; }
    static Text CountLine(std::size_t count)
    {
        return "共采集到"_gbk + DecimalText(static_cast<std::int64_t>(count)) + "条数据。"_gbk;
    }

    market::SampleMarket market;
    MemoryForm form;
    testing::TestPump pump;
    RecordingDesktop desktop;
    std::unique_ptr<Session> session;

private:
    std::function<void()> m_watch;
};

// The example seller's ratings fill three pages; a fourth page is answered with page 1.
constexpr int ExampleSellerPages = 3;

TEST_F(BuyerRuns, ShopRatingsWholeRun)
{
    ASSERT_EQ(View().SellerRatingPageCount(ExampleSeller()), ExampleSellerPages);
    form.SetText(Control::编辑框店铺地址, View().ExampleShopAddress());
    // Rows of an earlier run go with the reset.
    form.InsertRow(Control::超级列表框1, 0, "old");
    // While the shop page is fetched the run already shows itself and has logged its start.
    std::vector<Text> lines_while_reading_shop;
    bool running_while_reading_shop = false;
    pump.OnCall(1, [&] {
        lines_while_reading_shop = LogLines();
        running_while_reading_shop = form.GetText(Control::按钮采集买家1) == "停止"_gbk
            && form.IsVisible(Control::图片框5) && form.RowCount(Control::超级列表框1) == 0;
    });

    OnClick(*session, Control::按钮采集买家1);

    EXPECT_EQ(lines_while_reading_shop, std::vector<Text> {"开始采集数据 。。。"_gbk});
    EXPECT_TRUE(running_while_reading_shop);

    auto expected = ExpectedFrom(View(), SellerPages(1, ExampleSellerPages), Lengths::Any, Listing::Everyone);
    ASSERT_FALSE(expected.rows.empty());
    EXPECT_EQ(Rows(), expected.rows);
    std::vector<Text> lines = {"开始采集数据 。。。"_gbk, PageLine(1), PageLine(2), PageLine(3),
        "采集结束。。。"_gbk, CountLine(expected.rows.size())};
    EXPECT_EQ(LogLines(), lines);
    EXPECT_EQ(session->state.SellerUserId, ExampleSeller().user_id);
    EXPECT_EQ(session->state.RowCounter, static_cast<int>(expected.rows.size()) + 1);
    // Every page number twice; page 4 reports itself as page 1 and ends the run.
    std::vector<std::string> targets;
    for (int page = 1; page <= ExampleSellerPages + 1; ++page)
        targets.push_back(SellerRatingTarget(page));
    EXPECT_EQ(Targets(MarketHost::Rating), targets);
    EXPECT_EQ(ProbedNicknames(), expected.probed);
    ExpectIdleAfterTheRun(Control::按钮采集买家1);
}

TEST_F(BuyerRuns, ShopRatingsRemembersEveryNameMetAndNeverProbesMaskedOnes)
{
    market.Configure([](market::Scenario& s) { s.seller_rating_pages = 4; });
    form.SetText(Control::编辑框店铺地址, View().ExampleShopAddress());
    form.SetChecked(Control::选择框仅在线, true);
    auto met = SellerPages(1, 4);
    // The pages meet masked names and names dropped by the filter more than once.
    auto occurrences = [&](Text const& name) { return std::count(met.begin(), met.end(), name); };
    ASSERT_TRUE(std::any_of(
        met.begin(), met.end(), [&](Text const& n) { return IsMasked(n) && occurrences(n) > 1; }));
    ASSERT_TRUE(std::any_of(met.begin(), met.end(), [&](Text const& n) {
        return !IsMasked(n) && View().StateOf(n) != OnlineState::Online && occurrences(n) > 1;
    }));

    OnClick(*session, Control::按钮采集买家1);

    auto expected = ExpectedFrom(View(), met, Lengths::Any, Listing::OnlineOnly);
    EXPECT_EQ(Rows(), expected.rows);
    for (auto const& row : Rows())
        EXPECT_EQ(row[2], "在线"_gbk);
    // Each new unmasked name is probed once, whether it was listed or not.
    auto probed = ProbedNicknames();
    EXPECT_EQ(probed, expected.probed);
    EXPECT_TRUE(std::none_of(probed.begin(), probed.end(), IsMasked));
    // SeenNames holds every distinct name met, masked and filtered ones included.
    std::set<Text> distinct(met.begin(), met.end());
    for (auto const& name : distinct)
        EXPECT_TRUE(IsNameSeen(session->state, name));
    EXPECT_EQ(std::count(session->state.SeenNames.begin(), session->state.SeenNames.end(), '/'),
        static_cast<long>(distinct.size()));
}

TEST_F(BuyerRuns, ShopRatingsEndMarkerCountsFromPageTwoOn)
{
    // Page 1 carries currentPageNum":1} like every first page and is scanned; page 2 of a
    // one-page seller is answered with page 1 again and ends the run unscanned.
    market.Configure([](market::Scenario& s) { s.seller_rating_pages = 1; });
    form.SetText(Control::编辑框店铺地址, View().ExampleShopAddress());

    OnClick(*session, Control::按钮采集买家1);

    auto expected = ExpectedFrom(View(), SellerPages(1, 1), Lengths::Any, Listing::Everyone);
    ASSERT_FALSE(expected.rows.empty());
    EXPECT_EQ(Rows(), expected.rows);
    std::vector<Text> lines
        = {"开始采集数据 。。。"_gbk, PageLine(1), "采集结束。。。"_gbk, CountLine(expected.rows.size())};
    EXPECT_EQ(LogLines(), lines);
    EXPECT_EQ(Targets(MarketHost::Rating),
        (std::vector<std::string> {SellerRatingTarget(1), SellerRatingTarget(2)}));
}

TEST_F(BuyerRuns, ShopRatingsRunThatListsNobody)
{
    market.Configure([](market::Scenario& s) {
        s.seller_rating_pages = 2;
        s.everyone_state = OnlineState::Offline;
    });
    form.SetText(Control::编辑框店铺地址, View().ExampleShopAddress());
    form.SetChecked(Control::选择框仅在线, true);

    OnClick(*session, Control::按钮采集买家1);

    EXPECT_TRUE(Rows().empty());
    std::vector<Text> lines
        = {"开始采集数据 。。。"_gbk, PageLine(1), PageLine(2), "采集结束。。。"_gbk, CountLine(0)};
    EXPECT_EQ(LogLines(), lines);
    EXPECT_FALSE(market.Requests(MarketHost::Status).empty());
}

TEST_F(BuyerRuns, ShopRatingsWithoutUsableSellerIdEndAtOnce)
{
    struct {
        char const* what;
        Text address;
    } const cases[] = {
        {"an item page: no key:user- marker", View().ExampleItemAddress()},
        {"a page the shop host does not have", "http://" + market.Endpoints().HomeHost + "/shop/none/"},
        {"nobody listening", "http://127.0.0.1:1/shop/33015/"},
    };
    for (auto const& c : cases) {
        market.ClearRequests();
        form.SetText(Control::编辑框店铺地址, c.address);

        OnClick(*session, Control::按钮采集买家1);

        std::vector<Text> lines
            = {"开始采集数据 。。。"_gbk, "找不到卖家ID。。。"_gbk, "采集结束。。。"_gbk, CountLine(0)};
        EXPECT_EQ(LogLines(), lines) << c.what;
        EXPECT_TRUE(market.Requests(MarketHost::Rating).empty()) << c.what;
        EXPECT_TRUE(Rows().empty()) << c.what;
        ExpectIdleAfterTheRun(Control::按钮采集买家1);
    }
}

TEST_F(BuyerRuns, ItemRatingsWholeRun)
{
    auto const item = ExampleItem();
    int const pages = View().ItemRatingPageCount(item);
    ASSERT_GE(pages, 3);
    ASSERT_LT(View().ItemRatingPage(item, pages).size(), 15u);
    form.SetText(Control::编辑框宝贝地址, View().ExampleItemAddress());
    // The start line comes only after the item page has been read.
    std::vector<Text> lines_while_reading_item;
    bool running_while_reading_item = false;
    pump.OnCall(1, [&] {
        lines_while_reading_item = LogLines();
        running_while_reading_item
            = form.GetText(Control::按钮采集买家2) == "停止"_gbk && form.IsVisible(Control::图片框5);
    });

    OnClick(*session, Control::按钮采集买家2);

    EXPECT_TRUE(lines_while_reading_item.empty());
    EXPECT_TRUE(running_while_reading_item);
    auto expected = ExpectedFrom(View(), ItemPages(1, pages), Lengths::AtMost20Bytes, Listing::Everyone);
    ASSERT_FALSE(expected.rows.empty());
    EXPECT_EQ(Rows(), expected.rows);
    std::vector<Text> lines = {"开始采集数据 。。。"_gbk};
    for (int page = 1; page <= pages; ++page)
        lines.push_back(PageLine(page));
    lines.push_back("数据采集完毕 。。。"_gbk);
    lines.push_back(CountLine(expected.rows.size()));
    EXPECT_EQ(LogLines(), lines);
    std::vector<std::string> targets;
    for (int page = 1; page <= pages; ++page)
        targets.push_back(ItemRatingTarget(page));
    EXPECT_EQ(Targets(MarketHost::Rating), targets);
    EXPECT_EQ(Targets(MarketHost::Item).size(), 1u);
    EXPECT_EQ(ProbedNicknames(), expected.probed);
    ExpectIdleAfterTheRun(Control::按钮采集买家2);
}

TEST_F(BuyerRuns, ItemRatingsSkipLongNamesWithoutRememberingThem)
{
    market.Configure([](market::Scenario& s) { s.item_rating_count = 90; });
    form.SetText(Control::编辑框宝贝地址, View().ExampleItemAddress());
    auto met = ItemPages(1, 6);
    auto is_long = [](Text const& n) { return n.size() > 20; };
    auto long_name = std::find_if(met.begin(), met.end(), is_long);
    ASSERT_NE(long_name, met.end());
    ASSERT_GT(std::count(met.begin(), met.end(), *long_name), 1);
    // A name of exactly 20 bytes is not too long.
    auto twenty
        = std::find_if(met.begin(), met.end(), [](Text const& n) { return n.size() == 20 && !IsMasked(n); });
    ASSERT_NE(twenty, met.end());

    OnClick(*session, Control::按钮采集买家2);

    auto expected = ExpectedFrom(View(), met, Lengths::AtMost20Bytes, Listing::Everyone);
    EXPECT_EQ(Rows(), expected.rows);
    for (auto const& name : met) {
        if (!is_long(name))
            continue;
        EXPECT_FALSE(IsNameSeen(session->state, name));
        for (auto const& row : Rows())
            EXPECT_NE(row[1], name);
    }
    auto probed = ProbedNicknames();
    EXPECT_TRUE(std::none_of(probed.begin(), probed.end(), is_long));
    EXPECT_NE(std::find(probed.begin(), probed.end(), *twenty), probed.end());
    auto rows = Rows();
    EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [&](Row const& row) { return row[1] == *twenty; }));
}

TEST_F(BuyerRuns, ItemRatingsGoOnAfterFifteenCuts)
{
    struct {
        int ratings;
        int page_size;
        int pages_read;
    } const cases[] = {
        {0, 15, 1}, {14, 15, 1}, // 14 nicknames: the marker runs out on page 1
        {15, 15, 2}, // a full page leads to page 2, which is empty
        {29, 15, 2}, {30, 15, 3}, {40, 20, 3}, // 20 a page: 15 cuts each, the other 5 are not read
    };
    for (auto const& c : cases) {
        market.Configure([&](market::Scenario& s) {
            s.item_rating_count = c.ratings;
            s.item_rating_page_size = c.page_size;
        });
        market.ClearRequests();
        form.SetText(Control::编辑框宝贝地址, View().ExampleItemAddress());

        OnClick(*session, Control::按钮采集买家2);

        std::vector<std::string> targets;
        for (int page = 1; page <= c.pages_read; ++page)
            targets.push_back(ItemRatingTarget(page));
        EXPECT_EQ(Targets(MarketHost::Rating), targets) << c.ratings << " ratings";
        auto expected
            = ExpectedFrom(View(), ItemPages(1, c.pages_read), Lengths::AtMost20Bytes, Listing::Everyone);
        EXPECT_EQ(Rows(), expected.rows) << c.ratings << " ratings";
        auto lines = LogLines();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[lines.size() - 2], "数据采集完毕 。。。"_gbk);
        EXPECT_EQ(lines.back(), CountLine(expected.rows.size()));
        EXPECT_EQ(session->state.CurrentPage, c.pages_read);
    }
}

TEST_F(BuyerRuns, ItemRatingsStopAfterPageOneHundred)
{
    market.Configure([](market::Scenario& s) { s.item_rating_count = 15 * 101; });
    form.SetText(Control::编辑框宝贝地址, View().ExampleItemAddress());

    OnClick(*session, Control::按钮采集买家2);

    auto targets = Targets(MarketHost::Rating);
    ASSERT_EQ(targets.size(), static_cast<std::size_t>(LastItemRatingPage));
    EXPECT_EQ(targets.back(), ItemRatingTarget(100));
    auto lines = LogLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3], PageLine(100));
    EXPECT_EQ(lines[lines.size() - 2], "数据采集完毕 。。。"_gbk);
    EXPECT_EQ(lines.back(), CountLine(Rows().size()));
    ExpectIdleAfterTheRun(Control::按钮采集买家2);
}

TEST_F(BuyerRuns, ItemRatingAddressRewriteTouchesEveryOccurrence)
{
    market.Configure([](market::Scenario& s) { s.item_rating_count = 40; });
    // An address that carries its page number twice, as the page loop is given it.
    Text address = "http://" + market.Endpoints().RatingHost + ItemRatingTarget(1) + "&back=currentPage=1";
    form.SetText(Control::按钮采集买家2, "停止"_gbk);
    session->state.RowCounter = 1;
    session->state.CurrentPage = 1;
    session->state.CurrentUrl = address;

    CollectItemRatingPages(*session);

    std::vector<std::string> targets;
    for (int page = 1; page <= 3; ++page)
        targets.push_back(ItemRatingTarget(page) + "&back=currentPage=" + DecimalText(page));
    EXPECT_EQ(Targets(MarketHost::Rating), targets);
    EXPECT_EQ(session->state.CurrentUrl, "http://" + market.Endpoints().RatingHost + targets.back());
}

TEST_F(BuyerRuns, ItemRatingsWithoutRatingAddressEndAtOnce)
{
    // The shop page holds no detail_rate.htm address.
    form.SetText(Control::编辑框宝贝地址, View().ExampleShopAddress());

    OnClick(*session, Control::按钮采集买家2);

    std::vector<Text> lines
        = {"开始采集数据 。。。"_gbk, PageLine(1), "数据采集完毕 。。。"_gbk, CountLine(0)};
    EXPECT_EQ(LogLines(), lines);
    EXPECT_TRUE(market.Requests(MarketHost::Rating).empty());
    ExpectIdleAfterTheRun(Control::按钮采集买家2);
}

// A stop click while page 2 is read: the page is finished, its rows stay, and the next
// page boundary ends the run without the end lines.
TEST_F(BuyerRuns, StopDuringPageTwo)
{
    struct {
        Control button;
        Control address_box;
        Text address;
    } const cases[] = {
        {Control::按钮采集买家1, Control::编辑框店铺地址, View().ExampleShopAddress()},
        {Control::按钮采集买家2, Control::编辑框宝贝地址, View().ExampleItemAddress()},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(DefinitionOf(c.button).name);
        market.ClearRequests();
        pump = testing::TestPump {};
        form.SetText(c.address_box, c.address);
        bool held_disabled = false;
        bool restart_refused = false;
        AtFirstCallWhen([&] { return session->state.CurrentPage == 2; },
            [&] {
                OnClick(*session, c.button);
                EXPECT_EQ(form.GetText(c.button), "开始"_gbk);
                EXPECT_FALSE(form.IsVisible(Control::图片框5));
                // Held until the collector returns; a click now starts nothing.
                held_disabled = !form.IsEnabled(c.button);
                auto rows_before = form.RowCount(Control::超级列表框1);
                OnClick(*session, c.button);
                restart_refused = form.GetText(c.button) == "开始"_gbk
                    && form.RowCount(Control::超级列表框1) == rows_before && session->state.CurrentPage == 2;
            });

        OnClick(*session, c.button);

        bool item = c.button == Control::按钮采集买家2;
        auto met = item ? ItemPages(1, 2) : SellerPages(1, 2);
        auto expected
            = ExpectedFrom(View(), met, item ? Lengths::AtMost20Bytes : Lengths::Any, Listing::Everyone);
        EXPECT_EQ(Rows(), expected.rows);
        std::vector<Text> lines
            = {"开始采集数据 。。。"_gbk, PageLine(1), PageLine(2), "已经停止采集。。。"_gbk};
        EXPECT_EQ(LogLines(), lines);
        EXPECT_EQ(Targets(MarketHost::Rating).size(), 2u);
        EXPECT_TRUE(held_disabled);
        EXPECT_TRUE(restart_refused);
        ExpectIdleAfterTheRun(c.button);
    }
}

TEST_F(BuyerRuns, OtherStartButtonsRefusedDuringARun)
{
    form.SetText(Control::编辑框店铺地址, View().ExampleShopAddress());
    form.SetText(Control::编辑框宝贝地址, View().ExampleItemAddress());
    bool others_disabled = false;
    AtFirstCallWhen([&] { return session->state.CurrentPage == 2; },
        [&] {
            others_disabled
                = !form.IsEnabled(Control::按钮采集买家2) && !form.IsEnabled(Control::按钮搜索卖家);
            OnClick(*session, Control::按钮采集买家2);
        });

    OnClick(*session, Control::按钮采集买家1);

    EXPECT_TRUE(others_disabled);
    EXPECT_EQ(form.GetText(Control::按钮采集买家2), "开始"_gbk);
    EXPECT_TRUE(market.Requests(MarketHost::Item).empty());
    auto lines = LogLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "开始采集数据 。。。"_gbk), 1);
    EXPECT_EQ(lines.back().substr(0, 8), "共采集到"_gbk);
}

TEST_F(BuyerRuns, ChatLinkOfAListedBuyerReachesTheMessenger)
{
    form.SetText(Control::编辑框宝贝地址, View().ExampleItemAddress());
    OnClick(*session, Control::按钮采集买家2);
    ASSERT_GT(form.RowCount(Control::超级列表框1), 0);
    // A buyer whose nickname has GBK characters.
    int row = 0;
    while (row < form.RowCount(Control::超级列表框1)
        && static_cast<unsigned char>(form.Cell(Control::超级列表框1, row, 1)[0]) < 0x80)
        ++row;
    ASSERT_LT(row, form.RowCount(Control::超级列表框1));
    Text nickname = form.Cell(Control::超级列表框1, row, 1);
    form.SetAlwaysOnTop(true);

    form.SelectRow(Control::超级列表框1, row);
    OnDoubleClick(*session, Control::超级列表框1);

    ASSERT_EQ(desktop.opened_urls.size(), 1u);
    Text address = desktop.opened_urls[0];
    EXPECT_EQ(address, ChatLinkAddress(market.Endpoints(), session->state.Codec, nickname));
    EXPECT_FALSE(form.IsAlwaysOnTop());
    // The messenger's chat page names the buyer.
    std::string chat_page = FetchPage(pump, address);
    EXPECT_TRUE(ContainsMarker(chat_page, nickname)) << GbkToUtf8(address);
}

}
}
