// The update window against an update server that fails: the manifest check ends with the
// message box the reply deserves, and a download that does not arrive whole never replaces
// the program and leaves no file behind.
#include "fault_cases.h"
#include "limit_passing_pump.h"

#include "market/sample_market.h"
#include "support/files.h"
#include "update/auto_update.h"
#include "update/memory_update_window.h"
#include "update/replace_script.h"
#include "update/update_host.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace velmora {
namespace {

namespace fs = std::filesystem;
using market::MarketHost;
using namespace std::chrono_literals;

constexpr std::string_view OldProgram = "#!/bin/sh\necho the program as it was\n";
constexpr std::size_t NewProgramSize = 200000;
constexpr auto EndOfTransfer = 60s;

std::string Noise(std::size_t size, std::uint32_t seed)
{
    std::mt19937 noise(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(byte(noise));
    return bytes;
}

class UpdateFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto started = market.Start();
        ASSERT_TRUE(started) << started.message;
        std::random_device seed;
        program = {fs::temp_directory_path() / ("velmora-faults-" + std::to_string(seed())), "velmora"};
        fs::create_directories(program.directory);
        std::ofstream(program.FullPath(), std::ios::binary) << OldProgram;
        market.Configure([](market::Scenario& s) { s.update.program_file = Noise(NewProgramSize, 7); });
    }

    void TearDown() override
    {
        m_update.reset();
        fs::remove_all(program.directory);
    }

    AutoUpdate& CreateWindow(EventPump& pump)
    {
        m_update.emplace(window, host, desktop, pump, market.Endpoints(), program);
        m_update->OnWindowCreated();
        return *m_update;
    }

    // The check showed exactly one message box, with this text and caption (UTF-8).
    void ExpectOnlyBox(std::string const& text, std::string const& caption) const
    {
        ASSERT_EQ(desktop.message_boxes.size(), 1u);
        EXPECT_EQ(GbkToUtf8(desktop.message_boxes[0].text), text);
        EXPECT_EQ(GbkToUtf8(desktop.message_boxes[0].caption), caption);
    }

    void ExpectProgramUntouched() const
    {
        EXPECT_EQ(testing::FileBytes(program.FullPath()), std::string(OldProgram));
        EXPECT_FALSE(fs::exists(program.directory / "TMP"));
        EXPECT_FALSE(fs::exists(ReplaceScriptPath(NativeScriptKind(), program)));
        EXPECT_TRUE(host.started_scripts.empty());
    }

    market::SampleMarket market;
    ProgramFile program;
    MemoryUpdateWindow window;
    testing::RecordingUpdateHost host;
    RecordingDesktop desktop;
    WindowlessEventPump pump;

private:
    std::optional<AutoUpdate> m_update;
};

// The question a full manifest of the sample market asks.
std::string Question()
{
    return "最新版本：20120105\r\n\r\n店铺搜索支持按类目翻页采集。\r\n修正宝贝评价页的昵称截取。\r\n\r\n是否"
           "现在开始更新？";
}

enum class Answer { ServerFailed, NothingNewer, NewVersion };

struct ManifestFault {
    testing::FaultCase fault;
    Answer answer;
};

void PrintTo(ManifestFault const& c, std::ostream* out)
{
    *out << c.fault.name;
}

class ManifestFaults : public UpdateFaults, public ::testing::WithParamInterface<ManifestFault> { };

TEST_P(ManifestFaults, CheckEndsWithTheBoxTheReplyDeserves)
{
    ManifestFault const& c = GetParam();
    market.Configure([&](market::Scenario& s) {
        c.fault.apply(s, MarketHost::Update);
        s.faults_only_for[MarketHost::Update] = "/update/";
    });
    desktop.next_answer = AnswerNo;
    AutoUpdate& update = CreateWindow(pump);

    switch (c.answer) {
    case Answer::ServerFailed:
        ExpectOnlyBox("服务器连接失败，请稍候再试。", "自动升级");
        // The window stays for the user to close.
        EXPECT_FALSE(window.destroyed);
        EXPECT_EQ(update.OnCloseRequest(), CloseAnswer::Allow);
        break;
    case Answer::NothingNewer:
        ExpectOnlyBox("暂时还没有新版本！", "无需升级");
        EXPECT_TRUE(window.destroyed);
        EXPECT_EQ(host.main_window_shown, 1);
        break;
    case Answer::NewVersion:
        ExpectOnlyBox(Question(), "发现新版");
        break;
    }
    EXPECT_EQ(update.Transfer().State(), DownloadState::Idle);
    ExpectProgramUntouched();
}

testing::FaultCase GarbageManifest()
{
    return {"manifest_of_garbage",
        [](market::Scenario& s, MarketHost) { s.update.manifest_text = Noise(4096, 11); },
        testing::Arrival::Everything};
}

INSTANTIATE_TEST_SUITE_P(Manifest, ManifestFaults,
    ::testing::Values(ManifestFault {GarbageManifest(), Answer::NothingNewer},
        ManifestFault {
            testing::Damage("random_bytes", market::PageDamage::RandomBytes, testing::Arrival::Nothing),
            Answer::NothingNewer},
        ManifestFault {testing::NeverAnswers(), Answer::ServerFailed},
        ManifestFault {testing::RedirectLoop(), Answer::ServerFailed},
        ManifestFault {testing::TricklesAByteASecond(), Answer::NewVersion},
        ManifestFault {testing::HeaderBlock(), Answer::NewVersion},
        ManifestFault {testing::OddSetCookieLines(), Answer::NewVersion},
        ManifestFault {
            testing::Damage("invalid_gbk", market::PageDamage::InvalidGbk, testing::Arrival::Everything),
            Answer::NewVersion}),
    [](auto const& info) { return info.param.fault.name; });

TEST_F(UpdateFaults, ManifestWhoseTimeLimitRunsOutReadsAsAFailedServer)
{
    market.Configure([](market::Scenario& s) {
        s.paces[MarketHost::Update].never_answers = true;
        s.silent_hold = 60s;
    });
    testing::LimitPassingPump pump_without_events;
    CreateWindow(pump_without_events);
    ExpectOnlyBox("服务器连接失败，请稍候再试。", "自动升级");
    ExpectProgramUntouched();
}

struct DownloadFault {
    testing::FaultCase fault;
    bool completes;
};

void PrintTo(DownloadFault const& c, std::ostream* out)
{
    *out << c.fault.name;
}

class DownloadFaults : public UpdateFaults, public ::testing::WithParamInterface<DownloadFault> { };

TEST_P(DownloadFaults, OnlyAWholeFileReplacesTheProgram)
{
    DownloadFault const& c = GetParam();
    market.Configure([&](market::Scenario& s) {
        c.fault.apply(s, MarketHost::Update);
        s.faults_only_for[MarketHost::Update] = "/download/";
    });
    desktop.next_answer = AnswerYes;
    AutoUpdate& update = CreateWindow(pump);
    ASSERT_TRUE(update.Transfer().WaitUntilEnded(EndOfTransfer));
    host.calls.RunPending();

    if (c.completes) {
        EXPECT_EQ(window.progress, 100);
        EXPECT_EQ(
            testing::FileBytes(program.directory / "TMP"), market.CurrentScenario().update.program_file);
        EXPECT_EQ(host.started_scripts.size(), 1u);
        EXPECT_EQ(host.end_requests, 1);
        return;
    }
    ExpectProgramUntouched();
    EXPECT_EQ(host.end_requests, 0);
    EXPECT_EQ(update.Transfer().State(), DownloadState::Failed);
    // At most the half that was sent is shown as done; with progress on the bar the window
    // refuses to close, without it the close ends the program.
    EXPECT_LE(window.progress, 50);
    if (window.progress > 0) {
        EXPECT_EQ(update.OnCloseRequest(), CloseAnswer::Refuse);
        EXPECT_EQ(host.end_requests, 0);
    } else {
        EXPECT_EQ(update.OnCloseRequest(), CloseAnswer::Allow);
        EXPECT_EQ(host.end_requests, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(ProgramFile, DownloadFaults,
    ::testing::Values(DownloadFault {testing::Damage("cut_off_at_half", market::PageDamage::ConnectionDropped,
                                         testing::Arrival::Beginning),
                          false},
        DownloadFault {
            testing::Damage("reset_at_half", market::PageDamage::ResetMidBody, testing::Arrival::Beginning),
            false},
        DownloadFault {testing::NeverAnswers(), false}, DownloadFault {testing::RedirectLoop(), false},
        DownloadFault {testing::TricklesAByteASecond(), true}, DownloadFault {testing::HeaderBlock(), true}),
    [](auto const& info) { return info.param.fault.name; });

TEST_F(UpdateFaults, DownloadCutOffAtHalfShowsItsLastPercentage)
{
    market.Configure([](market::Scenario& s) {
        s.damage[MarketHost::Update] = market::PageDamage::ConnectionDropped;
        s.faults_only_for[MarketHost::Update] = "/download/";
    });
    desktop.next_answer = AnswerYes;
    AutoUpdate& update = CreateWindow(pump);
    ASSERT_TRUE(update.Transfer().WaitUntilEnded(EndOfTransfer));
    host.calls.RunPending();
    // Half the file arrived before the connection closed: the bar shows where it stopped.
    EXPECT_EQ(update.Transfer().BytesDone(), static_cast<std::int64_t>(NewProgramSize / 2));
    EXPECT_EQ(window.progress, 50);
    EXPECT_EQ(update.OnCloseRequest(), CloseAnswer::Refuse);
    ExpectProgramUntouched();
}

}
}
