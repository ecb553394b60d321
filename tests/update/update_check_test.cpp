#include "market/sample_market.h"
#include "update/auto_update.h"
#include "update/memory_update_window.h"
#include "update_host.h"

#include <gtest/gtest.h>

#include <random>

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int OkBox = StyleOk | StyleInformation | StyleSystemModal;
constexpr int YesNoBox = StyleYesNo | StyleInformation | StyleSystemModal;

ProgramFile FreshProgramFolder()
{
    std::random_device seed;
    ProgramFile program {fs::temp_directory_path() / ("velmora-check-" + std::to_string(seed())), "velmora"};
    fs::create_directories(program.directory);
    return program;
}

// The update window created against the sample marketplace's update server.
class UpdateCheck : public ::testing::Test {
protected:
    UpdateCheck() { EXPECT_TRUE(market.Start()); }
    ~UpdateCheck() override { fs::remove_all(program.directory); }

    // Creates the window with the update server at server (the market's by default).
    AutoUpdate& CreateWindow(std::optional<Text> server = std::nullopt)
    {
        Endpoints endpoints = market.Endpoints();
        if (server)
            endpoints.UpdateServer = *server;
        m_update.emplace(window, host, desktop, pump, endpoints, program);
        m_update->OnWindowCreated();
        return *m_update;
    }

    void ExpectOneBox(Text const& text, Text const& caption, int style)
    {
        ASSERT_EQ(desktop.message_boxes.size(), 1u);
        EXPECT_EQ(GbkToUtf8(desktop.message_boxes[0].text), GbkToUtf8(text));
        EXPECT_EQ(desktop.message_boxes[0].caption, caption);
        EXPECT_EQ(desktop.message_boxes[0].style, style);
    }

    market::SampleMarket market;
    ProgramFile program = FreshProgramFolder();
    MemoryUpdateWindow window;
    testing::RecordingUpdateHost host;
    RecordingDesktop desktop;
    WindowlessEventPump pump;

private:
    std::optional<AutoUpdate> m_update;
};

Text DefaultQuestion()
{
    return "最新版本：20120105\r\n\r\n店铺搜索支持按类目翻页采集。\r\n修正宝贝评价页的昵称截取。\r\n\r\n是否现在开始更新？"_gbk;
}

TEST_F(UpdateCheck, CreationStepsAsideAndPreparesTheCanvas)
{
    desktop.next_answer = AnswerNo;
    AutoUpdate& update = CreateWindow();
    EXPECT_FALSE(host.always_on_top);
    EXPECT_TRUE(host.minimised);
    EXPECT_TRUE(window.visible);
    EXPECT_EQ(update.Drawing().text_x, 408 / 2 - 5);
    EXPECT_EQ(update.Drawing().text_y, 3);
    EXPECT_EQ(update.Drawing().bar_left, -1);
    EXPECT_EQ(update.Drawing().bar_top, -1);
    EXPECT_EQ(update.Drawing().bar_bottom, 16);
    auto const requests = market.Requests(market::MarketHost::Update);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].target, "/update/update.txt");
}

TEST_F(UpdateCheck, NewerVersionAnsweredNoClosesTheWindow)
{
    desktop.next_answer = AnswerNo;
    AutoUpdate& update = CreateWindow();
    ExpectOneBox(DefaultQuestion(), "发现新版"_gbk, YesNoBox);
    EXPECT_TRUE(window.destroyed);
    EXPECT_EQ(update.Transfer().State(), DownloadState::Idle);
    EXPECT_EQ(host.main_window_shown, 0);
    EXPECT_EQ(host.end_requests, 0);
}

TEST_F(UpdateCheck, NewerVersionAnsweredYesDownloadsTheProgramFile)
{
    desktop.next_answer = AnswerYes;
    AutoUpdate& update = CreateWindow();
    EXPECT_FALSE(window.destroyed);
    EXPECT_TRUE(window.visible);
    EXPECT_EQ(update.Task().address, market.View().DownloadAddress());
    ASSERT_TRUE(update.Transfer().WaitUntilEnded(60s));
    host.calls.RunPending();
    EXPECT_EQ(window.progress, 100);
    EXPECT_EQ(host.started_scripts.size(), 1u);
    EXPECT_EQ(host.end_requests, 1);
}

TEST_F(UpdateCheck, ManifestsThatOfferNothingNewer)
{
    struct Case {
        char const* name;
        std::function<void(market::Scenario&)> change;
    };
    Case const cases[] = {
        {"the same version with dashes", [](auto& s) { s.update.newest_version = "2011-12-26"; }},
        {"the same version with dots", [](auto& s) { s.update.newest_version = "2011.12.26"; }},
        {"an older version", [](auto& s) { s.update.newest_version = "2011-06-01"; }},
        {"a version that reads as 0", [](auto& s) { s.update.newest_version = "new"; }},
        {"no section of the program",
            [](auto& s) { s.update.manifest_text = "软件名称：Other\r\n最新版本：2099\r\n"_gbk; }},
    };
    for (auto const& test_case : cases) {
        SCOPED_TRACE(test_case.name);
        market.Configure([](auto& s) { s.update = {}; });
        market.Configure(test_case.change);
        desktop.message_boxes.clear();
        window = MemoryUpdateWindow();
        host.main_window_shown = 0;
        CreateWindow();
        ExpectOneBox("暂时还没有新版本！"_gbk, "无需升级"_gbk, OkBox);
        EXPECT_EQ(host.main_window_shown, 1);
        EXPECT_TRUE(window.destroyed);
    }
}

TEST_F(UpdateCheck, QuestionShowsTheProgramsOwnSection)
{
    struct Case {
        char const* name;
        std::function<void(market::Scenario&)> change;
        Text question;
    };
    Case const cases[] = {
        {"another product's section first", [](auto& s) { s.update.other_product_first = true; },
            DefaultQuestion()},
        {"notes of blanks",
            [](auto& s) {
                s.update.release_notes = {"   ", "　"_gbk, ""};
            },
            "最新版本：20120105\r\n\r\n是否现在开始更新？"_gbk},
    };
    for (auto const& test_case : cases) {
        SCOPED_TRACE(test_case.name);
        market.Configure([](auto& s) { s.update = {}; });
        market.Configure(test_case.change);
        desktop.message_boxes.clear();
        desktop.next_answer = AnswerNo;
        CreateWindow();
        ExpectOneBox(test_case.question, "发现新版"_gbk, YesNoBox);
    }
}

TEST_F(UpdateCheck, UnreachableServerOrErrorPageLeavesTheWindowOpen)
{
    struct Case {
        char const* name;
        Text server;
    };
    market::SampleMarket stopped;
    ASSERT_TRUE(stopped.Start());
    Text const stopped_server = stopped.Endpoints().UpdateServer;
    stopped.Stop();
    Case const cases[] = {
        {"nothing listens", stopped_server},
        // The item search host has no manifest: its reply is an error page.
        {"an error page", market.Endpoints().ItemSearchHost},
    };
    for (auto const& test_case : cases) {
        SCOPED_TRACE(test_case.name);
        desktop.message_boxes.clear();
        window = MemoryUpdateWindow();
        AutoUpdate& update = CreateWindow(test_case.server);
        ExpectOneBox("服务器连接失败，请稍候再试。"_gbk, "自动升级"_gbk, OkBox);
        EXPECT_FALSE(window.destroyed);
        EXPECT_EQ(host.main_window_shown, 0);
        // No download has started: closing the window ends the program.
        EXPECT_EQ(update.OnCloseRequest(), CloseAnswer::Allow);
    }
}

}
}
