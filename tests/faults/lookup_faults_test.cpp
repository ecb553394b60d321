// The per-seller lookups of an item search (the messenger status and the credit page, both
// fetched on a worker thread) against servers that fail: every row is still listed, with
// " -  " for a status and level 0 without a date for a credit page that gave nothing.
#include "fault_cases.h"
#include "limit_passing_pump.h"
#include "sellers/seller_run_harness.h"
#include "support/test_pump.h"
#include "web/fetch_page.h"

#include <set>
#include <thread>

namespace velmora {
namespace {

using market::MarketHost;
using namespace std::chrono_literals;

constexpr std::string_view Keyword = "连衣裙";
constexpr int Sellers = 2;

Text const& NoStatus()
{
    static Text const text = " -  ";
    return text;
}

class LookupFaults : public testing::SellerRunTest {
protected:
    void SetUp() override
    {
        SellerRunTest::SetUp();
        market.Configure([](market::Scenario& s) {
            s.item_search_pages = 1;
            s.item_search_page_size = Sellers;
        });
        form.SetChecked(Control::选择框去重复, false);
        form.SetChecked(Control::选择框显示信誉, true);
        form.SetChecked(Control::选择框创店时间, true);
        form.SetText(Control::编辑框关键字, Utf8ToGbk(Keyword));
    }

    // Runs the search with pump in place of the window's.
    void RunWith(EventPump& other_pump)
    {
        Session other(form, other_pump, desktop, market.Endpoints());
        OnClick(other, Control::按钮搜索卖家);
    }

    void ExpectEndLines(std::size_t rows)
    {
        auto const lines = LogLines();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[lines.size() - 2], "数据采集完毕 。。。"_gbk);
        EXPECT_EQ(
            lines.back(), "共采集到"_gbk + DecimalText(static_cast<std::int64_t>(rows)) + "条数据。"_gbk);
        EXPECT_EQ(form.GetText(Control::按钮搜索卖家), "开始"_gbk);
    }
};

// A fault on one of the two hosts the lookups read.
struct LookupFault {
    testing::FaultCase fault;
    MarketHost host; // Status (the probe) or Rating (the credit page)
};

void PrintTo(LookupFault const& c, std::ostream* out)
{
    *out << c.fault.name << " on " << market::EndpointName(c.host);
}

class LookupFaultTable : public LookupFaults, public ::testing::WithParamInterface<LookupFault> { };

TEST_P(LookupFaultTable, EverySellerIsListedWithWhatItsLookupsGave)
{
    LookupFault const& c = GetParam();
    market.Configure([&](market::Scenario& s) { c.fault.apply(s, c.host); });
    ClickStart();

    // The probe reads nothing but the image's size, which noise of the same size keeps.
    testing::Arrival arrives = c.fault.arrives;
    if (c.host == MarketHost::Status && c.fault.name == "random_bytes")
        arrives = testing::Arrival::Everything;
    // The cells the faulty lookup fills.
    std::vector<std::size_t> const cells
        = c.host == MarketHost::Status ? std::vector<std::size_t> {2} : std::vector<std::size_t> {5, 6};

    auto const entries = EntriesOf(Keyword, 1, 1);
    ASSERT_EQ(entries.size(), static_cast<std::size_t>(Sellers));
    auto const rows = Rows();
    ASSERT_EQ(rows.size(), entries.size());
    std::set<Text> const statuses {"在线"_gbk, "手机"_gbk, "离线"_gbk, NoStatus()};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        std::vector<Text> const whole = RowOf(entries[i], static_cast<int>(i) + 1, Credit::LookedUp);
        std::vector<Text> failed = whole;
        for (std::size_t cell : cells)
            failed[cell] = cell == 2 ? NoStatus() : cell == 5 ? LevelNameFromNumber("0") : Text();
        switch (arrives) {
        case testing::Arrival::Everything:
            EXPECT_EQ(rows[i], whole);
            break;
        case testing::Arrival::Nothing:
            EXPECT_EQ(rows[i], failed);
            break;
        case testing::Arrival::Beginning:
            // Half a status image is an image of another size; half a credit page may or may
            // not hold the rank image and the date.
            for (std::size_t cell = 0; cell < whole.size(); ++cell) {
                if (cell == 2 && c.host == MarketHost::Status)
                    EXPECT_TRUE(statuses.contains(rows[i][2])) << rows[i][2];
                else
                    EXPECT_TRUE(rows[i][cell] == whole[cell] || rows[i][cell] == failed[cell]) << cell;
            }
            break;
        }
    }
    ExpectEndLines(rows.size());
    EXPECT_EQ(market.Requests(c.host).size(), entries.size() * c.fault.requests_per_read);
}

// The lookups read small pages; the slow and huge ones are run against the page readers.
std::vector<LookupFault> LookupFaultCases()
{
    std::vector<LookupFault> cases;
    for (MarketHost host : {MarketHost::Status, MarketHost::Rating}) {
        for (auto& fault : testing::PageFaults()) {
            if (fault.least_events_while_read == 0 || fault.name == "never_answers")
                cases.push_back({std::move(fault), host});
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(
    StatusAndCreditHosts, LookupFaultTable, ::testing::ValuesIn(LookupFaultCases()), [](auto const& info) {
        return info.param.fault.name + "_on_" + std::string(market::EndpointName(info.param.host));
    });

TEST_F(LookupFaults, EventsRunWhileALookupWaitsForASilentServer)
{
    market.Configure([](market::Scenario& s) { testing::NeverAnswers().apply(s, MarketHost::Status); });
    // A user moving the mouse over the window all along.
    testing::TestPump moving;
    moving.SetEventEvery(20ms);
    RunWith(moving);

    EXPECT_EQ(Rows().size(), static_cast<std::size_t>(Sellers));
    for (auto const& row : Rows())
        EXPECT_EQ(row[2], NoStatus());
    // A fetch that did not let events run while it waited would run them once per request.
    std::size_t const fetches
        = market.Requests(MarketHost::Status).size() + market.Requests(MarketHost::Rating).size();
    EXPECT_GT(static_cast<std::size_t>(moving.RunCount()), 2 * fetches);
    ExpectEndLines(Sellers);
}

TEST_F(LookupFaults, LookupsWhoseTimeLimitRunsOutGiveNothingAndTheRunGoesOn)
{
    // The servers hold every lookup far longer than the pump lets the fetch wait.
    market.Configure([](market::Scenario& s) {
        s.paces[MarketHost::Status].never_answers = true;
        s.paces[MarketHost::Rating].never_answers = true;
        s.silent_hold = 60s;
    });
    testing::LimitPassingPump pump_without_events;
    RunWith(pump_without_events);

    auto const entries = EntriesOf(Keyword, 1, 1);
    auto const rows = Rows();
    ASSERT_EQ(rows.size(), entries.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::vector<Text> expected = RowOf(entries[i], static_cast<int>(i) + 1, Credit::LookedUp);
        expected[2] = NoStatus();
        expected[5] = LevelNameFromNumber("0");
        expected[6] = "";
        EXPECT_EQ(rows[i], expected) << "row " << i;
    }
    ExpectEndLines(rows.size());
    // Each lookup waited once, for its whole limit, and events ran after that wait.
    EXPECT_EQ(pump_without_events.waits, 2 * Sellers);
    EXPECT_GE(pump_without_events.runs, pump_without_events.waits);
    // The cut-off workers end once the servers let go of them.
    market.Stop();
    EXPECT_TRUE(WaitForFetchWorkers(30s));
}

}
}
