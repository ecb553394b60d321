#include "loopback_files.h"
#include "update/auto_update.h"
#include "update/memory_update_window.h"
#include "update/replace_script.h"
#include "update_host.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

#include <unistd.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr auto EndOfTransfer = 60s;
constexpr std::size_t FileSize = 100000;

std::optional<std::string> FileBytes(fs::path const& path)
{
    std::ifstream stream(path, std::ios::binary);
    if (!stream)
        return std::nullopt;
    return std::string {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

ProgramFile FreshProgramFolder()
{
    std::random_device seed;
    ProgramFile program {fs::temp_directory_path() / ("velmora-update-" + std::to_string(seed())), "velmora"};
    fs::create_directories(program.directory);
    return program;
}

// The update window with its download, in a program folder of its own.
class UpdateDownloadTest : public ::testing::Test {
protected:
    UpdateDownloadTest() { update.PrepareProgressCanvas(); }
    ~UpdateDownloadTest() override { fs::remove_all(program.directory); }

    // Runs the events of the download on this thread until it has ended and all are done.
    void RunDownload()
    {
        ASSERT_TRUE(update.Transfer().WaitUntilEnded(EndOfTransfer));
        host.calls.RunPending();
    }

    std::vector<int> Percentages() const
    {
        std::vector<int> percentages;
        for (auto const& line : window.canvas_lines) {
            EXPECT_EQ(line.back(), '%') << line;
            percentages.push_back(std::stoi(line));
        }
        return percentages;
    }

    testing::LoopbackFiles server {std::string(FileSize, 'n')};
    ProgramFile program = FreshProgramFolder();
    MemoryUpdateWindow window;
    testing::RecordingUpdateHost host;
    RecordingDesktop desktop;
    WindowlessEventPump pump;
    AutoUpdate update {window, host, desktop, pump, Endpoints::Marketplace(), program};
};

TEST_F(UpdateDownloadTest, FinishedDownloadShowsProgressAndHandsOverToTheScript)
{
    update.StartUpdateDownload("  " + server.Address("/file") + " ");
    RunDownload();

    EXPECT_EQ(window.caption, "正在更新"_gbk);
    EXPECT_EQ(window.progress, 100);
    std::vector<int> const percentages = Percentages();
    ASSERT_FALSE(percentages.empty());
    EXPECT_TRUE(std::is_sorted(percentages.begin(), percentages.end()));
    EXPECT_EQ(percentages.back(), 100);
    // The bar runs from (-1, -1) to the percentage of the canvas width, its fraction dropped,
    // down to the canvas's height.
    ASSERT_EQ(window.rectangles.size(), percentages.size());
    for (std::size_t index = 0; index < percentages.size(); ++index) {
        int const right = static_cast<int>(-1 + 408 / 100.0 * percentages[index]);
        EXPECT_EQ(window.rectangles[index], (CanvasRectangle {-1, -1, right, 16}));
    }
    EXPECT_EQ(window.write_position, (MemoryUpdateWindow::Point {408 / 2 - 5, 3}));

    fs::path const script = ReplaceScriptPath(NativeScriptKind(), program);
    EXPECT_EQ(FileBytes(program.directory / "TMP"), server.FileBytes());
    EXPECT_EQ(FileBytes(script), ReplaceScriptText(NativeScriptKind(), program, getpid()));
    EXPECT_EQ(host.started_scripts, std::vector<fs::path> {script});
    EXPECT_EQ(host.end_requests, 1);
}

TEST_F(UpdateDownloadTest, UnknownSizeShowsZeroUntilTheDownloadHasFinished)
{
    update.StartUpdateDownload(server.Address("/unsized"));
    RunDownload();
    for (int percent : Percentages())
        EXPECT_EQ(percent, 0);
    EXPECT_EQ(window.progress, 100);
    EXPECT_EQ(host.end_requests, 1);
}

TEST_F(UpdateDownloadTest, DownloadCutOffKeepsTheLastPercentageAndTheProgram)
{
    update.StartUpdateDownload(server.Address("/cut"));
    RunDownload();
    int const last_percent = testing::LoopbackFiles::CutOffAfter * 100 / static_cast<int>(FileSize);
    EXPECT_EQ(Percentages().back(), last_percent);
    EXPECT_EQ(window.progress, last_percent);
    EXPECT_TRUE(host.started_scripts.empty());
    EXPECT_FALSE(fs::exists(program.directory / "TMP"));
    EXPECT_FALSE(fs::exists(ReplaceScriptPath(NativeScriptKind(), program)));

    EXPECT_EQ(update.OnCloseRequest(), CloseAnswer::Refuse);
    EXPECT_EQ(host.end_requests, 0);
}

TEST_F(UpdateDownloadTest, ErrorPageLeavesTheBarAtZeroAndCloseEndsTheProgram)
{
    update.StartUpdateDownload(server.Address("/missing"));
    RunDownload();
    EXPECT_EQ(window.progress, 0);
    EXPECT_EQ(window.caption, "自动更新"_gbk);
    EXPECT_TRUE(window.canvas_lines.empty());
    EXPECT_TRUE(host.started_scripts.empty());

    EXPECT_EQ(update.OnCloseRequest(), CloseAnswer::Allow);
    EXPECT_EQ(host.end_requests, 1);
}

TEST_F(UpdateDownloadTest, EmptyOrNonHttpAddressStartsNoDownload)
{
    for (Text address : {Text(""), Text("   "), Text("ftp://127.0.0.1/file"), Text("/update/new")}) {
        update.StartUpdateDownload(address);
        EXPECT_EQ(update.Transfer().State(), DownloadState::Idle) << address;
    }
    EXPECT_EQ(host.calls.RunPending(), 0);
    EXPECT_EQ(update.OnCloseRequest(), CloseAnswer::Allow);
}

TEST_F(UpdateDownloadTest, ScriptThatCannotBeStartedKeepsTheProgramRunning)
{
    host.script_starts = false;
    update.StartUpdateDownload(server.Address("/file"));
    RunDownload();
    EXPECT_EQ(host.started_scripts.size(), 1u);
    EXPECT_EQ(host.end_requests, 0);
    // Nothing is under way any more: the window may be closed.
    EXPECT_EQ(window.progress, 0);
}

TEST_F(UpdateDownloadTest, TaskRecordHoldsStartValuesThenTheUpdateValues)
{
    TaskParam const fresh;
    EXPECT_EQ(fresh.setting_1, 1);
    EXPECT_EQ(fresh.address, "");
    EXPECT_EQ(fresh.target_file, "");
    EXPECT_EQ(fresh.login_name, "anonymous");
    EXPECT_EQ(fresh.login_password.size(), 17u);
    EXPECT_EQ(fresh.setting_6, 1);
    EXPECT_EQ(fresh.setting_7, 0);
    EXPECT_EQ(fresh.connect_time_limit_ms, 20000);
    EXPECT_EQ(fresh.setting_9, 20000);
    EXPECT_EQ(fresh.stall_time_limit_ms, 20000);
    EXPECT_EQ(fresh.setting_11, 1000);
    EXPECT_EQ(fresh.setting_12, 20480);
    EXPECT_EQ(fresh.setting_13, 1024);
    EXPECT_EQ(fresh.setting_14, 0);
    EXPECT_FALSE(fresh.event_routine);
    EXPECT_EQ(fresh.setting_16, "");
    EXPECT_EQ(fresh.setting_17, 1);
    EXPECT_EQ(fresh.file_extensions, ".exe|.rar|.zip|.gif|.jpg|.mp3|.rm");
    EXPECT_EQ(fresh.setting_19, "");
    EXPECT_EQ(fresh.setting_20, "");

    update.StartUpdateDownload(" " + server.Address("/file") + "　"_gbk);
    TaskParam const& task = update.Task();
    EXPECT_EQ(task.setting_1, 4096);
    EXPECT_EQ(task.address, server.Address("/file"));
    EXPECT_EQ(task.target_file, TextFromPath(program.directory / "TMP"));
    EXPECT_EQ(task.login_name, fresh.login_name);
    EXPECT_EQ(task.login_password, fresh.login_password);
    EXPECT_EQ(task.setting_6, 1);
    EXPECT_EQ(task.setting_7, 0);
    EXPECT_EQ(task.connect_time_limit_ms, 5000);
    EXPECT_EQ(task.setting_9, 5000);
    EXPECT_EQ(task.stall_time_limit_ms, 10000);
    EXPECT_EQ(task.setting_11, 1000);
    EXPECT_EQ(task.setting_12, 512);
    EXPECT_EQ(task.setting_13, 1024);
    EXPECT_EQ(task.setting_14, 0);
    EXPECT_TRUE(task.event_routine);
    EXPECT_EQ(task.setting_17, 1);
    EXPECT_EQ(task.file_extensions, fresh.file_extensions);
    RunDownload();
}

TEST_F(UpdateDownloadTest, OtherEventsChangeNothing)
{
    for (int code : {5, 6, 7, 8, 9, 18, 0, 99})
        EXPECT_EQ(update.OnDownloadEvent(code, 1, 1234, 5, 6), 0);
    EXPECT_EQ(window.progress, 0);
    EXPECT_EQ(window.caption, "自动更新"_gbk);
    EXPECT_TRUE(window.canvas_lines.empty());
    EXPECT_EQ(host.end_requests, 0);
}

TEST(DownloadPercent, DropsTheFractionAndStaysInRange)
{
    struct Case {
        std::int64_t done;
        double total;
        int percent;
    };
    Case const cases[] = {
        {0, 1000, 0},
        {999, 1000, 99},
        {1000, 1000, 100},
        {1, 3, 33},
        {2, 3, 66},
        {500, 0, 0}, // unknown size
        {2000, 1000, 100},
    };
    for (auto const& test_case : cases)
        EXPECT_EQ(DownloadPercent(test_case.done, test_case.total), test_case.percent)
            << test_case.done << "/" << test_case.total;
}

}
}
