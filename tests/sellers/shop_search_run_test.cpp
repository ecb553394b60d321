// Whole shop searches against the sample marketplace: addresses, pages, filters, rows, log
// lines and stops.
#include "seller_run_harness.h"

#include "market/request_target.h"
#include "market/shop_search_page.h"
#include "sellers/page_fixture.h"
#include "sellers/shop_search.h"
#include "sellers/shop_search_page.h"

#include <set>

namespace velmora {
namespace {

constexpr std::string_view ShopSearchPath = "/browse/shop_search.htm?";
constexpr std::string_view LaterPagePrefix
    = "/browse/shop_search.htm?cattype=1&tab=3&title=title&shopf=newsearch&s=";
constexpr std::size_t EntriesLookedAt = 40;

class ShopSearchRun : public testing::SellerRunTest {
protected:
    void SetUp() override
    {
        SellerRunTest::SetUp();
        ChooseShopSearch();
    }

    // Types the keyword (UTF-8) and clicks the start button; returns when the run is over.
    void RunShopSearch(std::string_view keyword)
    {
        form.SetText(Control::编辑框关键字, Utf8ToGbk(keyword));
        ClickStart();
    }

    std::vector<std::string> ShopTargets() const
    {
        std::vector<std::string> targets;
        for (auto const& request : market.Requests(market::MarketHost::ShopSearch))
            targets.push_back(request.target);
        return targets;
    }

    // The entries each result page the run asked for held, as the market serves them: the
    // query is decoded from the request itself, so the later pages' match switches count.
    // At most forty of a page are looked at.
    std::vector<std::vector<market::ShopEntry>> ServedPages() const
    {
        market::MarketView const view = market.View();
        std::vector<std::vector<market::ShopEntry>> pages;
        for (auto const& target_text : ShopTargets()) {
            market::RequestTarget const target(target_text);
            auto entries = view.ShopSearchEntries(market::ShopQueryFromTarget(target), target.Number("s", 0));
            if (entries.size() > EntriesLookedAt)
                entries.resize(EntriesLookedAt);
            pages.push_back(std::move(entries));
        }
        return pages;
    }

    std::vector<market::ShopEntry> ServedEntries() const
    {
        std::vector<market::ShopEntry> entries;
        for (auto const& page : ServedPages())
            entries.insert(entries.end(), page.begin(), page.end());
        return entries;
    }

    Text StatusOf(market::ShopEntry const& entry) const
    {
        return testing::StatusTextOf(market.View().StateOf(entry.nickname));
    }

    enum class Credit { Hidden, Shown };
    enum class Date { Hidden, Shown };
    // The row an entry gives: the address without "http://", column 7 empty.
    std::vector<Text> ShopRowOf(market::ShopEntry const& entry, int number, Credit credit = Credit::Hidden,
        Date date = Date::Hidden) const
    {
        return {DecimalText(number), entry.nickname, StatusOf(entry), entry.shop_address.substr(7),
            entry.place, credit == Credit::Shown ? LevelNameFromNumber(entry.credit_value) : Text {},
            date == Date::Shown ? market.View().OpeningDateShown(*entry.seller) : Text {}, Text {}};
    }

    // Rows of the entries that pass, numbered from 1.
    template<typename Keep>
    std::vector<std::vector<Text>> ExpectedRows(std::vector<market::ShopEntry> const& entries, Keep keep,
        Credit credit = Credit::Hidden, Date date = Date::Hidden) const
    {
        std::vector<std::vector<Text>> rows;
        for (auto const& entry : entries) {
            if (keep(entry))
                rows.push_back(ShopRowOf(entry, static_cast<int>(rows.size()) + 1, credit, date));
        }
        return rows;
    }

    std::size_t Probes() const { return market.Requests(market::MarketHost::Status).size(); }

    std::vector<std::string> ShopPagesRead() const
    {
        std::vector<std::string> paths;
        for (auto const& request : market.Requests(market::MarketHost::Home))
            paths.push_back(request.target);
        return paths;
    }

    // The path of a shop's page on the home host.
    std::string ShopPagePath(market::ShopEntry const& entry) const
    {
        return entry.shop_address.substr(("http://" + session->endpoints.HomeHost).size());
    }

    std::vector<Text> PageLines(int first, int last) const
    {
        std::vector<Text> lines;
        for (int page = first; page <= last; ++page)
            lines.push_back("正在采集第"_gbk + DecimalText(page) + "页。。。"_gbk);
        return lines;
    }

    std::vector<Text> EndLines(std::size_t rows) const
    {
        return {"数据采集完毕 。。。"_gbk,
            "共采集到"_gbk + DecimalText(static_cast<std::int64_t>(rows)) + "条数据。"_gbk};
    }

    void ExpectIdle()
    {
        EXPECT_EQ(form.GetText(Control::按钮搜索卖家), "开始"_gbk);
        EXPECT_FALSE(form.IsVisible(Control::图片框5));
        EXPECT_TRUE(form.IsVisible(Control::分组框提示));
        for (Control button : StartButtons)
            EXPECT_TRUE(form.IsEnabled(button));
        EXPECT_FALSE(session->run_gate.IsRunActive());
    }
};

std::vector<Text> Joined(std::vector<std::vector<Text>> parts)
{
    std::vector<Text> joined;
    for (auto& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

TEST_F(ShopSearchRun, ResultOfOnePageOrNoneEndsAfterPageOne)
{
    struct Case {
        std::string_view keyword;
        std::string_view encoded;
        int pages;
    };
    Case const cases[] = {
        {"茶", "%B2%E8", 1},
        {"没有这家店", "%C3%BB%D3%D0%D5%E2%BC%D2%B5%EA", 0},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.keyword);
        market.ClearRequests();
        form.SetText(Control::编辑框起始页, "1");
        RunShopSearch(c.keyword);

        // The start page's text follows tab= and is no part of the address the run keeps.
        std::string const address = std::string(ShopSearchPath)
            + "shopf=newsearch&stat=5&cattype=1&q=" + std::string(c.encoded)
            + "&cat=&catName=%CB%F9%D3%D0%C0%E0%B1%F0&rootCat=&title=title&nick=nick&tag=tag&tab=";
        ASSERT_EQ(ShopTargets(), std::vector<std::string> {address + "1"});
        EXPECT_EQ(session->state.CurrentUrl, "http://" + session->endpoints.ShopSearchHost + address);

        auto const entries = ServedEntries();
        ASSERT_EQ(entries.empty(), c.pages == 0);
        auto const rows = Rows();
        EXPECT_EQ(rows, ExpectedRows(entries, [](auto const&) { return true; }));
        EXPECT_EQ(LogLines(),
            Joined({{"开始采集数据 。。。"_gbk, "可以采集"_gbk + DecimalText(c.pages) + "页"_gbk},
                PageLines(1, 1), EndLines(rows.size())}));
        EXPECT_EQ(session->state.PageCount, c.pages);
        EXPECT_EQ(session->state.RowCounter, static_cast<int>(rows.size()) + 1);
        // Every shop was probed; without the date boxes no shop page was read.
        EXPECT_EQ(Probes(), rows.size());
        EXPECT_TRUE(ShopPagesRead().empty());
        EXPECT_TRUE(market.Requests(market::MarketHost::Rating).empty());
        ExpectIdle();
    }
}

TEST_F(ShopSearchRun, LastPageIsTheSmallerOfPageCountAndEndPageButAtLeastTwo)
{
    struct Case {
        int pages;
        std::string_view end_page;
        int last_page;
    };
    constexpr Case cases[] = {
        {5, "10", 5},
        {100, "10", 10},
        {3, "3", 3},
        {3, "2", 2},
        {2, "10", 2},
        // Page 2 is read whatever the end page says.
        {3, "1", 2},
        {3, "0", 2},
        {3, "abc", 2},
        {3, "", 2},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.pages << " pages, end page '" << c.end_page << "'");
        market.ClearRequests();
        market.Configure([&](market::Scenario& s) {
            s.shop_search_pages = c.pages;
            s.shop_search_page_size = 2;
        });
        form.SetText(Control::编辑框结束页, Text(c.end_page));
        RunShopSearch("茶");

        auto const targets = ShopTargets();
        ASSERT_EQ(targets.size(), static_cast<std::size_t>(c.last_page));
        for (int page = 2; page <= c.last_page; ++page) {
            EXPECT_EQ(targets[page - 1],
                std::string(LaterPagePrefix) + std::to_string(40 * (page - 1))
                    + "&nick=nick&q=%B2%E8&catName=%CB%F9%D3%D0%C0%E0%B1%F0&stat=4&title=title&nick=nick&tag="
                      "tag");
        }
        // The later pages are read with the reader's own agent.
        auto const requests = market.Requests(market::MarketHost::ShopSearch);
        for (std::size_t i = 1; i < requests.size(); ++i)
            EXPECT_EQ(requests[i].Header("User-Agent"), "zavi.vuv");

        EXPECT_EQ(Rows(), ExpectedRows(ServedEntries(), [](auto const&) { return true; }));
        EXPECT_EQ(Rows().size(), static_cast<std::size_t>(2 * c.last_page));
        EXPECT_EQ(LogLines(),
            Joined({{"开始采集数据 。。。"_gbk, "可以采集"_gbk + DecimalText(c.pages) + "页"_gbk},
                PageLines(1, c.last_page), EndLines(2 * c.last_page)}));
        EXPECT_EQ(session->state.CurrentPage, c.last_page);
        EXPECT_EQ(session->state.CurrentUrl, "http://" + session->endpoints.ShopSearchHost + targets.back());
        ExpectIdle();
    }
}

TEST_F(ShopSearchRun, LocationFilterDropsShopsBeforeTheirProbe)
{
    for (std::string_view location : {"杭州", "州", "拉萨"}) {
        SCOPED_TRACE(location);
        market.ClearRequests();
        form.SetText(Control::编辑框所在地, Utf8ToGbk(location));
        RunShopSearch("");
        Text const wanted = Utf8ToGbk(location);
        auto const expected = ExpectedRows(
            ServedEntries(), [&](market::ShopEntry const& e) { return e.place.find(wanted) != Text::npos; });
        ASSERT_EQ(ShopTargets().size(), 2u);
        EXPECT_EQ(Rows(), expected);
        EXPECT_EQ(Probes(), expected.size());
    }
}

TEST_F(ShopSearchRun, OnlineOnlyListsShopsWhoseKeeperIsOnlineAndProbesEveryShop)
{
    form.SetChecked(Control::选择框仅在线, true);
    RunShopSearch("");
    auto const entries = ServedEntries();
    auto const expected = ExpectedRows(entries, [&](auto const& e) { return StatusOf(e) == "在线"_gbk; });
    ASSERT_FALSE(expected.empty());
    ASSERT_LT(expected.size(), entries.size());
    EXPECT_EQ(Rows(), expected);
    EXPECT_EQ(Probes(), entries.size());
}

TEST_F(ShopSearchRun, CreditFilterAndLevelNamesComeFromTheEntries)
{
    struct Case {
        bool show_credit;
        std::vector<int> levels;
    };
    Case const cases[] = {
        {true, {}},
        {true, {1, 6, 16}},
        {true, {7}},
        // The levels count only while the credit is shown.
        {false, {1, 6, 16}},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(
            ::testing::Message() << "show credit " << c.show_credit << ", " << c.levels.size() << " levels");
        market.ClearRequests();
        form.SetChecked(Control::选择框显示信誉, c.show_credit);
        for (int level = 1; level <= HighestCreditLevel; ++level)
            form.SetChecked(
                LevelBox(level), std::find(c.levels.begin(), c.levels.end(), level) != c.levels.end());
        RunShopSearch("");

        std::set<Text> chosen;
        for (int level : c.levels)
            chosen.insert(DecimalText(level));
        auto const expected = ExpectedRows(
            ServedEntries(),
            [&](market::ShopEntry const& e) {
                return !c.show_credit || chosen.empty() || chosen.contains(e.credit_value);
            },
            c.show_credit ? Credit::Shown : Credit::Hidden);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(Rows(), expected);
        // The level is read from the result page: no credit page is asked for.
        EXPECT_TRUE(market.Requests(market::MarketHost::Rating).empty());
        EXPECT_TRUE(ShopPagesRead().empty());
    }
}

TEST_F(ShopSearchRun, MallShopsGoByTheirEmptyDateOnPageOneAndByTheirIconLater)
{
    form.SetChecked(Control::选择框过滤商城用户, true);
    RunShopSearch("");
    auto const pages = ServedPages();
    ASSERT_EQ(pages.size(), 2u);
    auto const is_mall = [](market::ShopEntry const& e) { return e.mall; };
    ASSERT_TRUE(std::any_of(pages[0].begin(), pages[0].end(), is_mall));
    ASSERT_TRUE(std::any_of(pages[1].begin(), pages[1].end(), is_mall));

    auto const entries = ServedEntries();
    EXPECT_EQ(Rows(), ExpectedRows(entries, [](auto const& e) { return !e.mall; }));

    // Page 1: every shop is probed and its page read; the mall shops go by the empty date.
    // Later pages: a shop with the icon is passed over before its probe and its page.
    std::size_t probes = pages[0].size();
    std::vector<std::string> shop_pages;
    for (auto const& entry : pages[0])
        shop_pages.push_back(ShopPagePath(entry));
    for (auto const& entry : pages[1]) {
        if (!entry.mall) {
            ++probes;
            shop_pages.push_back(ShopPagePath(entry));
        }
    }
    EXPECT_EQ(Probes(), probes);
    EXPECT_EQ(ShopPagesRead(), shop_pages);
    // Column 6 stays empty while 创店时间 is not ticked.
    for (auto const& row : Rows())
        EXPECT_EQ(row.at(6), "");
}

TEST_F(ShopSearchRun, OpeningDatesAreShownAndAnUnreadableOneStaysEmpty)
{
    struct Case {
        std::string_view name;
        bool filter_mall;
        bool garbled_shop_pages;
    };
    Case const cases[] = {
        {"mall shops listed with an empty date", false, false},
        {"mall shops dropped", true, false},
        {"no shop page readable", false, true},
        {"no shop page readable, mall filter on", true, true},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        market.ClearRequests();
        market.Configure([&](market::Scenario& s) {
            s.damage[market::MarketHost::Home]
                = c.garbled_shop_pages ? market::PageDamage::Garbled : market::PageDamage::None;
        });
        form.SetChecked(Control::选择框过滤商城用户, c.filter_mall);
        form.SetChecked(Control::选择框创店时间, true);
        // On or after 2008-01-01: an empty date, read as the year 100, would fail it, but an
        // empty date is never tested.
        form.SetChecked(Control::单选框晚于, true);
        form.SetText(Control::编辑框晚于, "2008-01-01");
        RunShopSearch("");

        auto const pages = ServedPages();
        ASSERT_EQ(pages.size(), 2u);
        std::vector<std::vector<Text>> expected;
        for (std::size_t page = 0; page < pages.size(); ++page) {
            for (auto const& entry : pages[page]) {
                bool const passed_over = c.filter_mall && page > 0 && entry.mall;
                Text const date
                    = c.garbled_shop_pages ? Text {} : market.View().OpeningDateShown(*entry.seller);
                if (passed_over || (c.filter_mall && date.empty()) || (!date.empty() && date < "2008-01-01"))
                    continue;
                auto row = ShopRowOf(entry, static_cast<int>(expected.size()) + 1);
                row[6] = date;
                expected.push_back(row);
            }
        }
        EXPECT_EQ(Rows(), expected);
        if (!c.filter_mall) {
            ASSERT_FALSE(expected.empty());
            EXPECT_TRUE(std::any_of(
                expected.begin(), expected.end(), [](auto const& row) { return row[6].empty(); }));
        }
    }
}

TEST_F(ShopSearchRun, CategoryIdsOnPageOneAndOnlyItsNameLater)
{
    struct Case {
        std::string_view category;
        std::string_view cat;
        std::string_view root_cat;
        std::string_view encoded_name;
        std::size_t pages_read;
    };
    Case const cases[] = {
        // The marketplace has no shop of this category: one page without results.
        {"手机", "1512", "2", "%CA%D6%BB%FA", 1},
        {"女装/女士精品", "16", "1", "%C5%AE%D7%B0%2F%C5%AE%CA%BF%BE%AB%C6%B7", 3},
        {"所有类目", "", "", "%CB%F9%D3%D0%C0%E0%C4%BF", 3},
    };
    market.Configure([](market::Scenario& s) {
        s.shop_search_pages = 3;
        s.shop_search_page_size = 1;
    });
    for (auto const& c : cases) {
        SCOPED_TRACE(c.category);
        market.ClearRequests();
        session->state.CategoryId = "stale";
        session->state.RootCategoryId = "stale";
        form.SetText(Control::组合框类别, Utf8ToGbk(c.category));
        RunShopSearch("");

        EXPECT_EQ(session->state.CategoryId, c.cat);
        EXPECT_EQ(session->state.RootCategoryId, c.root_cat);
        auto const targets = ShopTargets();
        ASSERT_EQ(targets.size(), c.pages_read);
        market::RequestTarget const first(targets[0]);
        EXPECT_EQ(first.Value("cat"), std::string(c.cat));
        EXPECT_EQ(first.Value("rootCat"), std::string(c.root_cat));
        EXPECT_NE(targets[0].find("&catName=" + std::string(c.encoded_name) + "&"), std::string::npos);
        for (std::size_t i = 1; i < targets.size(); ++i) {
            market::RequestTarget const later(targets[i]);
            EXPECT_FALSE(later.Has("cat")) << targets[i];
            EXPECT_FALSE(later.Has("rootCat")) << targets[i];
            EXPECT_NE(
                targets[i].find("&catName=" + std::string(c.encoded_name) + "&stat=4"), std::string::npos);
        }
        EXPECT_EQ(Rows().size(), ServedEntries().size());
    }
}

TEST_F(ShopSearchRun, KeywordCategoryAndEndPageAreReadAgainForEveryPage)
{
    market.Configure([](market::Scenario& s) {
        s.shop_search_pages = 5;
        s.shop_search_page_size = 1;
    });
    // Changed while page 1 is read.
    pump.When([&] { return !ShopTargets().empty(); },
        [&] {
            form.SetText(Control::编辑框关键字, "茶"_gbk);
            form.SetText(Control::组合框类别, "男装"_gbk);
            form.SetText(Control::编辑框结束页, "3");
        });
    RunShopSearch("");
    ASSERT_TRUE(pump.AllDone());

    auto const targets = ShopTargets();
    ASSERT_EQ(targets.size(), 3u);
    EXPECT_NE(targets[0].find("&q=&cat=&catName=%CB%F9%D3%D0%C0%E0%B1%F0&"), std::string::npos);
    for (int page = 2; page <= 3; ++page) {
        EXPECT_EQ(targets[page - 1],
            std::string(LaterPagePrefix) + std::to_string(40 * (page - 1))
                + "&nick=nick&q=%B2%E8&catName=%C4%D0%D7%B0&stat=4&title=title&nick=nick&tag=tag");
    }
    // The ids of the category are resolved once, at the start.
    EXPECT_EQ(session->state.CategoryId, "");
}

TEST_F(ShopSearchRun, NoDuplicateRemoval)
{
    // Few tea shops over two full pages: the market repeats them.
    market.Configure([](market::Scenario& s) { s.shop_search_pages = 2; });
    form.SetChecked(Control::选择框去重复, true);
    RunShopSearch("茶");
    auto const entries = ServedEntries();
    ASSERT_EQ(entries.size(), 80u);
    EXPECT_EQ(Rows(), ExpectedRows(entries, [](auto const&) { return true; }));
    auto const nicknames = Nicknames();
    EXPECT_LT(std::set<Text>(nicknames.begin(), nicknames.end()).size(), nicknames.size());
    EXPECT_EQ(session->state.SeenNames, "");
}

TEST_F(ShopSearchRun, StopTakesEffectAtTheNextPage)
{
    struct Case {
        std::string_view name;
        int pages;
        std::size_t stop_while_reading; // the page being read when the stop is clicked
        bool ends_naturally;
    };
    Case const cases[] = {
        {"during page 3 of 5", 5, 3, false},
        {"during page 1 of 5", 5, 1, false},
        {"during the last page", 3, 3, true},
        {"during a result of one page", 1, 1, true},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        market.ClearRequests();
        market.Configure([&](market::Scenario& s) {
            s.shop_search_pages = c.pages;
            s.shop_search_page_size = 2;
        });
        testing::ScriptedPump stop_pump;
        Session run(form, stop_pump, desktop, market.Endpoints());
        stop_pump.When([&] { return ShopTargets().size() >= c.stop_while_reading; },
            [&] { OnClick(run, Control::按钮搜索卖家); });
        form.SetText(Control::编辑框关键字, "茶"_gbk);
        OnClick(run, Control::按钮搜索卖家);
        ASSERT_TRUE(stop_pump.AllDone());

        // The page being read was finished, rows included; no later page was read.
        ASSERT_EQ(ShopTargets().size(), c.stop_while_reading);
        auto const rows = Rows();
        EXPECT_EQ(rows, ExpectedRows(ServedEntries(), [](auto const&) { return true; }));
        EXPECT_EQ(rows.size(), 2 * c.stop_while_reading);
        std::vector<Text> const end
            = c.ends_naturally ? EndLines(rows.size()) : std::vector<Text> {"已经停止采集。。。"_gbk};
        EXPECT_EQ(LogLines(),
            Joined({{"开始采集数据 。。。"_gbk, "可以采集"_gbk + DecimalText(c.pages) + "页"_gbk},
                PageLines(1, static_cast<int>(c.stop_while_reading)), end}));
        EXPECT_EQ(form.GetText(Control::按钮搜索卖家), "开始"_gbk);
        EXPECT_FALSE(form.IsVisible(Control::图片框5));
        EXPECT_TRUE(form.IsEnabled(Control::按钮搜索卖家));
        EXPECT_FALSE(run.run_gate.IsRunActive());
    }
}

TEST_F(ShopSearchRun, EveryEntryThatIsCutBecomesARowWhateverFieldsItLacks)
{
    // The fixture's shops link to this rating host; the probes still go to the market.
    session->endpoints.RatingHost = "rate.example.com";
    session->state.RowCounter = 1;
    Text const page = testing::ReadPageTextFixture("sellers/shop_entries_missing_markers.html");
    ScanShopEntries(*session, ShopTableRegion(page), MallIconSwitch::Off);

    auto const rows = Rows();
    ASSERT_EQ(rows.size(), 10u);
    // Column 3 drops the first seven bytes of the address: seven or fewer leave nothing.
    std::string_view const shown_addresses[] = {
        "shop.example.com/shop/1/",
        "shop.example.com/shop/2/",
        "shop.example.com/shop/3/",
        "shop.example.com/shop/4/",
        "shop.example.com/shop/5/",
        "",
        "shop.example.com/shop/7/\"target=\"_blank\">米兰时尚馆</a></dt>\n<d",
        "",
        "",
        "a",
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i + 1));
        EXPECT_EQ(rows[i].at(0), DecimalText(static_cast<std::int64_t>(i) + 1));
        EXPECT_EQ(rows[i].at(2), testing::StatusTextOf(market.View().StateOf(rows[i].at(1))));
        EXPECT_EQ(rows[i].at(3), Utf8ToGbk(shown_addresses[i]));
    }
    // Shops without a nickname are probed too.
    EXPECT_EQ(rows[1].at(1), "");
    EXPECT_EQ(Probes(), 10u);
}

}
}
