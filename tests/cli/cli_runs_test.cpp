// velmora-cli against the sample marketplace: rows, log lines, export bytes and the stop signal.
#include "app/click_dispatch.h"
#include "app/memory_form.h"
#include "app/session.h"
#include "cli/command_line.h"
#include "cli/run_command.h"
#include "export/export_lines.h"
#include "market/request_target.h"
#include "market/sample_market.h"
#include "market/shop_search_page.h"
#include "sellers/credit_level.h"
#include "support/test_pump.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace velmora::cli {
namespace {

std::vector<std::string> Lines(std::string const& text)
{
    std::vector<std::string> lines;
    std::stringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> Concatenated(std::vector<std::string> first, std::vector<std::string> const& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

std::string ReadFile(std::filesystem::path const& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

class CliRuns : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(market.Start()); }

    market::SampleMarket market;
};

TEST_F(CliRuns, ItemsWritesEveryColumnAsTsvAndTheLogWithoutTheDot)
{
    std::ostringstream out, err;
    auto arguments = Concatenated(
        {"items", "--keyword", "连衣裙", "--end-page", "2"}, EndpointOptions(market.Endpoints()));
    ASSERT_EQ(RunCommand(arguments, out, err), ExitFinished) << err.str();

    auto rows = Lines(out.str());
    ASSERT_FALSE(rows.empty());
    auto first_page = market.View().ItemSearchPage("连衣裙"_gbk, 1);
    ASSERT_FALSE(first_page.empty());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::vector<std::string> cells;
        std::stringstream stream(rows[i]);
        for (std::string cell; std::getline(stream, cell, '\t');)
            cells.push_back(cell);
        cells.resize(8);
        EXPECT_EQ(cells[0], std::to_string(i + 1));
    }
    EXPECT_TRUE(rows[0].starts_with("1\t" + GbkToUtf8(first_page[0].seller->nickname) + "\t")) << rows[0];

    std::vector<std::string> const expected_log = {
        "开始采集数据 。。。",
        "可以采集3页   每页40",
        "正在采集第1页。。。",
        "正在采集第2页。。。",
        "数据采集完毕 。。。",
        "共采集到" + std::to_string(rows.size()) + "条数据。",
    };
    EXPECT_EQ(Lines(err.str()), expected_log);
}

TEST_F(CliRuns, ShopsWritesEveryColumnAsTsvAndTheLogWithoutTheDot)
{
    market.Configure([](market::Scenario& scenario) {
        scenario.shop_search_pages = 3;
        scenario.shop_search_page_size = 2;
    });
    std::ostringstream out, err;
    auto arguments = Concatenated({"shops", "--keyword", "茶", "--match", "keeper,item", "--end-page", "2",
                                      "--show-credit", "--start-page", "1"},
        EndpointOptions(market.Endpoints()));
    ASSERT_EQ(RunCommand(arguments, out, err), ExitFinished) << err.str();

    // Page 1 asks with the chosen name boxes only; the later page always carries title and nick.
    auto const requests = market.Requests(market::MarketHost::ShopSearch);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_TRUE(requests[0].target.ends_with("&rootCat=&nick=nick&tag=tag&tab=1")) << requests[0].target;
    EXPECT_TRUE(requests[1].target.ends_with(
        "&s=40&nick=nick&q=%B2%E8&catName=%CB%F9%D3%D0%C0%E0%C4%BF&stat=4&nick=nick&tag=tag"))
        << requests[1].target;

    // One line per shop: number, nickname, status, address without http://, location, level
    // name, an empty date and an empty column 7.
    auto const view = market.View();
    std::vector<std::string> expected_rows;
    for (auto const& request : requests) {
        market::RequestTarget const target(request.target);
        for (auto const& entry :
            view.ShopSearchEntries(market::ShopQueryFromTarget(target), target.Number("s", 0))) {
            Text status = " -  ";
            switch (view.StateOf(entry.nickname)) {
            case market::OnlineState::Online:
                status = "在线"_gbk;
                break;
            case market::OnlineState::Mobile:
                status = "手机"_gbk;
                break;
            case market::OnlineState::Offline:
                status = "离线"_gbk;
                break;
            case market::OnlineState::Unknown:
                break;
            }
            expected_rows.push_back(std::to_string(expected_rows.size() + 1) + "\t"
                + GbkToUtf8(entry.nickname) + "\t" + GbkToUtf8(status) + "\t" + entry.shop_address.substr(7)
                + "\t" + GbkToUtf8(entry.place) + "\t" + GbkToUtf8(LevelNameFromNumber(entry.credit_value))
                + "\t\t");
        }
    }
    ASSERT_EQ(expected_rows.size(), 4u);
    EXPECT_EQ(Lines(out.str()), expected_rows);

    std::vector<std::string> const expected_log = {
        "开始采集数据 。。。",
        "可以采集3页",
        "正在采集第1页。。。",
        "正在采集第2页。。。",
        "数据采集完毕 。。。",
        "共采集到4条数据。",
    };
    EXPECT_EQ(Lines(err.str()), expected_log);
}

TEST_F(CliRuns, ShopsAppliesTheLocationAndMallFilters)
{
    std::ostringstream out, err;
    auto arguments = Concatenated(
        {"shops", "--location", "深圳", "--filter-mall", "--show-date"}, EndpointOptions(market.Endpoints()));
    ASSERT_EQ(RunCommand(arguments, out, err), ExitFinished) << err.str();

    // Every shop of the market in 深圳 that is not a mall shop, with its opening date.
    auto const view = market.View();
    std::vector<std::string> expected_nicknames;
    std::vector<std::string> expected_dates;
    for (auto const& request : market.Requests(market::MarketHost::ShopSearch)) {
        market::RequestTarget const target(request.target);
        for (auto const& entry :
            view.ShopSearchEntries(market::ShopQueryFromTarget(target), target.Number("s", 0))) {
            if (entry.place == "深圳"_gbk && !entry.mall) {
                expected_nicknames.push_back(GbkToUtf8(entry.nickname));
                expected_dates.push_back(GbkToUtf8(view.OpeningDateShown(*entry.seller)));
            }
        }
    }
    ASSERT_FALSE(expected_nicknames.empty());
    auto const rows = Lines(out.str());
    ASSERT_EQ(rows.size(), expected_nicknames.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::vector<std::string> cells;
        std::stringstream stream(rows[i]);
        for (std::string cell; std::getline(stream, cell, '\t');)
            cells.push_back(cell);
        cells.resize(8);
        EXPECT_EQ(cells[0], std::to_string(i + 1));
        EXPECT_EQ(cells[1], expected_nicknames[i]);
        EXPECT_EQ(cells[4], "深圳");
        EXPECT_EQ(cells[6], expected_dates[i]);
    }
    auto const log = Lines(err.str());
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "共采集到" + std::to_string(rows.size()) + "条数据。");
}

TEST_F(CliRuns, ExportFormatIsWhatTheExportButtonWrites)
{
    auto const shop = GbkToUtf8(market.Endpoints().ExampleShopAddress);
    auto const output = std::filesystem::temp_directory_path() / "velmora-cli-export-test.txt";
    std::ostringstream out, err;
    auto arguments
        = Concatenated({"shop-buyers", "--shop", shop, "--format", "export", "--output", output.string()},
            EndpointOptions(market.Endpoints()));
    ASSERT_EQ(RunCommand(arguments, out, err), ExitFinished) << err.str();
    EXPECT_EQ(out.str(), "");

    // The same run in a form of its own, saved the way the export button saves it.
    MemoryForm form;
    form.SetCurrentTab(1);
    form.SetText(Control::编辑框店铺地址, market.Endpoints().ExampleShopAddress);
    testing::TestPump pump;
    RecordingDesktop desktop;
    Session session(form, pump, desktop, market.Endpoints());
    OnClick(session, Control::按钮采集买家1);
    ASSERT_GT(form.RowCount(Control::超级列表框1), 0);

    auto written = ReadFile(output);
    EXPECT_EQ(written, BuyerExportLines(form));
    EXPECT_NE(written.find("\r\n"), std::string::npos);
    std::filesystem::remove(output);
}

TEST_F(CliRuns, InterruptDuringPageTwoStopsLikeTheStopButton)
{
    // Every rating page answers after a pause, so the signal arrives while page 2 is read.
    market.Configure([](market::Scenario& scenario) {
        scenario.paces[market::MarketHost::Rating].delay = std::chrono::milliseconds(1500);
    });
    auto const directory = std::filesystem::temp_directory_path();
    auto const rows_path = directory / "velmora-cli-interrupt-rows.tsv";
    auto const log_path = directory / "velmora-cli-interrupt-log.txt";
    auto arguments
        = Concatenated({VELMORA_CLI_PATH, "shop-buyers", "--shop",
                           GbkToUtf8(market.Endpoints().ExampleShopAddress), "--output", rows_path.string()},
            EndpointOptions(market.Endpoints()));
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(
        &actions, STDERR_FILENO, log_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, VELMORA_CLI_PATH, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);

    bool page_two_asked = market.WaitForRequests(market::MarketHost::Rating, 2, std::chrono::seconds(20));
    kill(child, SIGINT);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(page_two_asked);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), ExitStopped);

    auto log = Lines(ReadFile(log_path));
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "已经停止采集。。。");
    EXPECT_NE(std::find(log.begin(), log.end(), "正在采集第2页。。。"), log.end());
    EXPECT_EQ(std::find(log.begin(), log.end(), "正在采集第3页。。。"), log.end());
    for (auto const& line : log)
        EXPECT_FALSE(line.starts_with("共采集到")) << line;

    // The rows of pages 1 and 2 are written, numbered from 1.
    auto rows = Lines(ReadFile(rows_path));
    EXPECT_FALSE(rows.empty());
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_TRUE(rows[i].starts_with(std::to_string(i + 1) + "\t")) << rows[i];
    EXPECT_EQ(market.Requests(market::MarketHost::Rating).size(), 2u);
    std::filesystem::remove(rows_path);
    std::filesystem::remove(log_path);
}

}
}
