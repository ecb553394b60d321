// The credit and date filters in whole item searches: which rows they keep, what columns 5
// and 6 show, and which credit pages are read.
#include "seller_run_harness.h"

namespace velmora {
namespace {

enum class Window { AllTimes, Before, After, Between };

struct FilterCase {
    std::string_view name;
    bool show_credit; // 选择框显示信誉
    bool show_date; // 选择框创店时间
    std::vector<int> levels;
    Window window;
    std::string_view bound;
    std::string_view second_bound;
};

class CreditAndDateRun : public testing::SellerRunTest {
protected:
    void Choose(FilterCase const& c)
    {
        form.SetChecked(Control::选择框显示信誉, c.show_credit);
        form.SetChecked(Control::选择框创店时间, c.show_date);
        for (int level = 1; level <= HighestCreditLevel; ++level)
            form.SetChecked(
                LevelBox(level), std::find(c.levels.begin(), c.levels.end(), level) != c.levels.end());
        form.SetChecked(Control::单选框所有时间, c.window == Window::AllTimes);
        form.SetChecked(Control::单选框早于, c.window == Window::Before);
        form.SetChecked(Control::单选框晚于, c.window == Window::After);
        form.SetChecked(Control::单选框介于, c.window == Window::Between);
        form.SetText(Control::编辑框早于, Text(c.bound));
        form.SetText(Control::编辑框晚于, Text(c.bound));
        form.SetText(Control::编辑框介于1, Text(c.bound));
        form.SetText(Control::编辑框介于2, Text(c.second_bound));
    }

    // The data set writes dates as yyyy-mm-dd, so they compare as texts; a mall shop shows
    // no date, which counts as the year 100.
    static bool InWindow(FilterCase const& c, Text const& date)
    {
        switch (c.window) {
        case Window::AllTimes:
            return true;
        case Window::Before:
            return date <= c.bound;
        case Window::After:
            return !date.empty() && date >= c.bound;
        case Window::Between:
            return !date.empty() && date >= c.bound && date <= c.second_bound;
        }
        return false;
    }

    bool Keeps(FilterCase const& c, market::ItemEntry const& entry) const
    {
        int const level = entry.seller->credit_level;
        bool const level_chosen = std::find(c.levels.begin(), c.levels.end(), level) != c.levels.end();
        if (c.show_credit && !c.levels.empty() && !level_chosen)
            return false;
        return !c.show_date || InWindow(c, market.View().OpeningDateShown(*entry.seller));
    }
};

TEST_F(CreditAndDateRun, FiltersAndTheirCrossEffects)
{
    FilterCase const cases[] = {
        // The level filter alone; the dates are shown although the (narrow) window is not applied.
        {"levels 7 and 12", true, false, {7, 12}, Window::Before, "2000-01-01", ""},
        // No level box checked: no row is dropped for its level.
        {"credit without levels", true, false, {}, Window::Before, "2000-01-01", ""},
        // The date window alone; the level names are shown although the chosen levels are not applied.
        {"on or before 2008-01-01", false, true, {7}, Window::Before, "2008-01-01", ""},
        {"on or after 2008-01-01", false, true, {}, Window::After, "2008-01-01", ""},
        {"between 2008-01-01 and 2011-01-01", false, true, {}, Window::Between, "2008-01-01", "2011-01-01"},
        // Both, and row 0 (mall shops) never passes a chosen list.
        {"both", true, true, {1, 3, 7, 9, 16}, Window::After, "2008-01-01", ""},
    };
    auto const entries = EntriesOf("连衣裙", 1, 3);
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        market.ClearRequests();
        Choose(c);
        form.SetChecked(Control::选择框去重复, false);
        RunItemSearch("连衣裙");

        std::vector<std::vector<Text>> expected;
        for (auto const& entry : entries) {
            if (Keeps(c, entry))
                expected.push_back(RowOf(entry, static_cast<int>(expected.size()) + 1, Credit::LookedUp));
        }
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(Rows(), expected);
        // One credit page per entry, at the seller link the entry gives.
        auto const lookups = market.Requests(market::MarketHost::Rating);
        ASSERT_EQ(lookups.size(), entries.size());
        EXPECT_EQ("http://" + session->endpoints.RatingHost + lookups[0].target, entries[0].seller_link);
    }
}

TEST_F(CreditAndDateRun, LookupsOnlyForSellersWhoPassTheCheaperTests)
{
    form.SetChecked(Control::选择框去重复, true);
    form.SetChecked(Control::选择框仅在线, true);
    form.SetChecked(Control::选择框显示信誉, true);
    RunItemSearch("连衣裙");

    std::vector<Text> seen;
    std::size_t online_new_sellers = 0;
    for (auto const& entry : EntriesOf("连衣裙", 1, 3)) {
        if (std::find(seen.begin(), seen.end(), entry.nickname) != seen.end())
            continue;
        seen.push_back(entry.nickname);
        if (StatusOf(entry) == "在线"_gbk)
            ++online_new_sellers;
    }
    EXPECT_EQ(market.Requests(market::MarketHost::Status).size(), seen.size());
    EXPECT_EQ(market.Requests(market::MarketHost::Rating).size(), online_new_sellers);
    EXPECT_EQ(Rows().size(), online_new_sellers);
}

TEST_F(CreditAndDateRun, NeitherBoxCheckedReadsNoCreditPage)
{
    // Chosen levels and a window that would drop everything have no effect without their boxes.
    form.SetChecked(LevelBox(20), true);
    form.SetChecked(Control::单选框所有时间, false);
    form.SetChecked(Control::单选框晚于, true);
    form.SetText(Control::编辑框晚于, "2100-01-01");
    form.SetChecked(Control::选择框去重复, false);
    RunItemSearch("连衣裙");
    EXPECT_EQ(Rows().size(), 97u);
    EXPECT_TRUE(market.Requests(market::MarketHost::Rating).empty());
    EXPECT_EQ(session->state.CreditFilterList, "/20/");
}

}
}
