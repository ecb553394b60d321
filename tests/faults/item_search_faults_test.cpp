// An item search whose second result page goes wrong in one of the ways a server can fail:
// the run lists what arrived, goes on with page 3 and ends with its end lines, and window
// events keep running while the bad page is read.
#include "fault_cases.h"
#include "sellers/seller_run_harness.h"

#include "export/save_file_request.h"
#include "support/files.h"
#include "web/read_url.h"

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace velmora {
namespace {

using market::MarketHost;
using namespace std::chrono_literals;

constexpr std::string_view Keyword = "连衣裙";
// The second page's own part of its address.
constexpr std::string_view SecondPageQuery = "&s=40";

class ItemSearchFaults : public testing::SellerRunTest,
                         public ::testing::WithParamInterface<testing::FaultCase> { };

TEST_P(ItemSearchFaults, RunListsWhatArrivedAndGoesOnWithTheNextPage)
{
    testing::FaultCase const& fault = GetParam();
    market.Configure([&](market::Scenario& s) {
        fault.apply(s, MarketHost::ItemSearch);
        s.faults_only_for[MarketHost::ItemSearch] = SecondPageQuery;
    });
    std::size_t const first_page_entries = EntriesOf(Keyword, 1, 1).size();

    // Events that run while page 2 is read: from its request until its first seller is
    // probed or, when it lists nobody, page 3 is asked for.
    std::optional<int> reading_began;
    std::optional<int> reading_ended;
    pump.When([&] { return SearchRequests().size() >= 2; }, [&] { reading_began = pump.RunCount(); });
    pump.When(
        [&] {
            return SearchRequests().size() >= 3
                || market.Requests(MarketHost::Status).size() > first_page_entries;
        },
        [&] { reading_ended = pump.RunCount(); });

    form.SetChecked(Control::选择框去重复, false);
    RunItemSearch(Keyword);

    // Every page was read once, the bad one included, and no page was read again.
    std::string const query(testing::DressQuery);
    auto targets = SearchTargets();
    EXPECT_EQ(static_cast<std::size_t>(std::count(targets.begin(), targets.end(), query + "&s=40")),
        fault.requests_per_read);
    targets.erase(std::unique(targets.begin(), targets.end()), targets.end());
    EXPECT_EQ(targets, (std::vector<std::string> {query, query + "&s=40", query + "&s=80"}));

    auto const first = EntriesOf(Keyword, 1, 1);
    auto const second = EntriesOf(Keyword, 2, 2);
    auto const third = EntriesOf(Keyword, 3, 3);
    auto const rows = Rows();
    ASSERT_GE(rows.size(), first.size() + third.size());
    std::size_t const from_second = rows.size() - first.size() - third.size();
    switch (fault.arrives) {
    case testing::Arrival::Nothing:
        EXPECT_EQ(from_second, 0u);
        break;
    case testing::Arrival::Beginning:
        EXPECT_LE(from_second, second.size());
        break;
    case testing::Arrival::Everything:
        EXPECT_EQ(from_second, second.size());
        break;
    }
    // Rows are numbered on without a gap, and hold page 1, what page 2 gave, then page 3.
    std::vector<market::ItemEntry> listed = first;
    listed.insert(listed.end(), second.begin(),
        second.begin() + static_cast<long>(std::min(from_second, second.size())));
    listed.insert(listed.end(), third.begin(), third.end());
    for (std::size_t i = 0; i < rows.size() && i < listed.size(); ++i) {
        std::vector<Text> const expected = RowOf(listed[i], static_cast<int>(i) + 1);
        if (i >= first.size() && i < first.size() + from_second
            && fault.arrives == testing::Arrival::Beginning) {
            // The last entry a cut-off page gives may have lost its later cells.
            EXPECT_EQ(rows[i][0], expected[0]) << "row " << i;
            EXPECT_EQ(rows[i][1], expected[1]) << "row " << i;
        } else {
            EXPECT_EQ(rows[i], expected) << "row " << i;
        }
    }

    EXPECT_EQ(LogLines(),
        (std::vector<Text> {"开始采集数据 。。。"_gbk, "可以采集3页   每页40"_gbk, "正在采集第1页。。。"_gbk,
            "正在采集第2页。。。"_gbk, "正在采集第3页。。。"_gbk, "数据采集完毕 。。。"_gbk,
            "共采集到"_gbk + DecimalText(static_cast<std::int64_t>(rows.size())) + "条数据。"_gbk}));
    EXPECT_EQ(form.GetText(Control::按钮搜索卖家), "开始"_gbk);
    EXPECT_FALSE(session->run_gate.IsRunActive());

    ASSERT_TRUE(reading_began && reading_ended);
    if (fault.least_events_while_read > 0) {
        EXPECT_GE(*reading_ended - *reading_began, fault.least_events_while_read)
            << "events ran " << *reading_ended - *reading_began << " times while page 2 was read";
    }
}

INSTANTIATE_TEST_SUITE_P(SecondPage, ItemSearchFaults, ::testing::ValuesIn(testing::PageFaults()),
    [](auto const& info) { return info.param.name; });

// A stop click while the bad page is still being read ends the run after that page: the
// click ran inside the read's wait, before the page was over.
class StopDuringAFault : public testing::SellerRunTest { };

TEST_F(StopDuringAFault, ClickInsideTheWaitEndsTheRunAfterThatPage)
{
    for (auto const& fault : testing::SlowPageFaults()) {
        SCOPED_TRACE(fault.name);
        market.ClearRequests();
        market.Configure([&](market::Scenario& s) {
            s = {};
            fault.apply(s, MarketHost::ItemSearch);
            s.faults_only_for[MarketHost::ItemSearch] = SecondPageQuery;
        });
        std::size_t const first_page_entries = EntriesOf(Keyword, 1, 1).size();
        bool clicked_while_reading = false;
        pump.When([&] { return SearchRequests().size() >= 2; },
            [&] {
                // Page 2 is asked for and none of its sellers probed: its read is under way.
                clicked_while_reading = market.Requests(MarketHost::Status).size() == first_page_entries;
                ClickStart();
            });

        form.SetChecked(Control::选择框去重复, false);
        RunItemSearch(Keyword);

        EXPECT_TRUE(clicked_while_reading);
        EXPECT_EQ(SearchRequests().size(), 2u);
        auto const lines = LogLines();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), "已经停止采集。。。"_gbk);
        EXPECT_EQ(form.GetText(Control::按钮搜索卖家), "开始"_gbk);
        EXPECT_FALSE(session->run_gate.IsRunActive());
        // The export button clicked while a page is being read from a server that never answers
    }
}

// The export button clicked while a page is being read from a server that never answers
// saves the rows listed so far, whole, and the run goes on afterwards.
class ExportDuringAFault : public testing::SellerRunTest {
protected:
    class FixedChooser final : public SaveFileChooser {
    public:
        explicit FixedChooser(std::filesystem::path path)
            : m_path(std::move(path))
        {
        }
        Text ChooseSaveFile(SaveFileRequest const&) override { return m_path.string(); }

    private:
        std::filesystem::path m_path;
    };

    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::filesystem::path m_folder
        = std::filesystem::temp_directory_path() / ("velmora-export-" + std::to_string(::getpid()));
};

TEST_F(ExportDuringAFault, SavesTheRowsSoFarWhileThePageHangs)
{
    std::filesystem::create_directories(m_folder);
    std::filesystem::path const file = m_folder / "sellers.txt";
    std::string const old_content = "an earlier export\r\n";
    std::ofstream(file, std::ios::binary) << old_content;
    FixedChooser chooser(file);
    session->save_file_chooser = &chooser;

    market.Configure([](market::Scenario& s) {
        testing::NeverAnswers().apply(s, MarketHost::ItemSearch);
        s.faults_only_for[MarketHost::ItemSearch] = SecondPageQuery;
    });
    std::optional<int> rows_when_saved;
    pump.When([&] { return SearchRequests().size() >= 2; },
        [&] {
            rows_when_saved = form.RowCount(SellerList);
            OnClick(*session, Control::按钮提取卖家);
        });
    form.SetChecked(Control::选择框去重复, false);
    RunItemSearch(Keyword);

    auto const first = EntriesOf(Keyword, 1, 1);
    ASSERT_EQ(rows_when_saved, static_cast<int>(first.size()));
    std::string expected = old_content + "\r\n";
    for (std::size_t i = 0; i < first.size(); ++i) {
        auto const row = RowOf(first[i], static_cast<int>(i) + 1);
        for (std::size_t cell = 1; cell < row.size(); ++cell)
            expected += row[cell] + (cell + 1 < row.size() ? " " : "\r\n");
    }
    EXPECT_EQ(testing::FileBytes(file), expected);
    // No temporary file is left beside it.
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(m_folder), std::filesystem::directory_iterator()),
        1);

    // The run went on to page 3 after the page that gave nothing.
    EXPECT_EQ(SearchRequests().size(), 3u);
    EXPECT_EQ(Rows().size(), first.size() + EntriesOf(Keyword, 3, 3).size());
    auto const lines = LogLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "文件已经保存。。。"_gbk), lines.end());
    EXPECT_EQ(lines.back(),
        "共采集到"_gbk + DecimalText(static_cast<std::int64_t>(Rows().size())) + "条数据。"_gbk);
}

}
}
