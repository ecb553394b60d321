#include "app/program_file.h"
#include "loopback_files.h"
#include "update/download.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <random>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Waits for a download in a test; generous, as machines are shared. Not a timing check.
constexpr auto EndOfTransfer = 60s;

std::string SampleBytes(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t index = 0; index < size; ++index)
        bytes[index] = static_cast<char>(index * 7 % 251);
    return bytes;
}

struct Event {
    int code;
    std::int64_t value;
    std::int64_t detail;
};

class EventLog {
public:
    DownloadEventRoutine Routine()
    {
        return [this](int code, std::int64_t, std::int64_t value, std::int64_t detail, std::int64_t) {
            std::lock_guard lock(m_mutex);
            m_events.push_back({code, value, detail});
            return 0;
        };
    }
    std::vector<Event> Events() const
    {
        std::lock_guard lock(m_mutex);
        return m_events;
    }
    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (auto const& event : Events()) {
            if (codes.empty() || codes.back() != event.code)
                codes.push_back(event.code);
        }
        return codes;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<Event> m_events;
};

// A loopback port that was free a moment ago: nothing listens there.
int ClosedPort()
{
    int const socket_handle = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(socket_handle, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    socklen_t length = sizeof(address);
    getsockname(socket_handle, reinterpret_cast<sockaddr*>(&address), &length);
    close(socket_handle);
    return ntohs(address.sin_port);
}

class DownloadTest : public ::testing::Test {
protected:
    DownloadTest()
    {
        std::random_device seed;
        m_folder = fs::temp_directory_path() / ("velmora-download-" + std::to_string(seed()));
        fs::create_directories(m_folder);
    }
    ~DownloadTest() override { fs::remove_all(m_folder); }

    TaskParam Task(std::string const& address)
    {
        TaskParam task;
        task.address = address;
        task.target_file = TextFromPath(Target());
        task.event_routine = log.Routine();
        return task;
    }
    fs::path Target() const { return m_folder / "TMP"; }
    std::optional<std::string> TargetBytes() const
    {
        std::ifstream stream(Target(), std::ios::binary);
        if (!stream)
            return std::nullopt;
        return std::string {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    }

    testing::LoopbackFiles server {SampleBytes(100000)};
    EventLog log;

private:
    fs::path m_folder;
};

TEST_F(DownloadTest, WholeFileRaisesStartProgressAndFinish)
{
    struct Case {
        char const* path;
        std::int64_t announced;
    };
    Case const cases[] = {
        {"/file", 100000},
        {"/unsized", 0}, // no size announced: the total is 0
        {"/moved", 100000},
    };
    for (auto const& test_case : cases) {
        SCOPED_TRACE(test_case.path);
        EventLog case_log;
        Download download;
        TaskParam task = Task(server.Address(test_case.path));
        task.event_routine = case_log.Routine();
        ASSERT_TRUE(download.AddTask(task));
        ASSERT_TRUE(download.WaitUntilEnded(EndOfTransfer));

        EXPECT_EQ(download.State(), DownloadState::Finished);
        EXPECT_EQ(download.BytesDone(), 100000);
        EXPECT_EQ(TargetBytes(), server.FileBytes());
        auto const events = case_log.Events();
        EXPECT_EQ(case_log.Codes(), (std::vector<int> {DownloadStarted, DownloadProgress, DownloadFinished}));
        ASSERT_GE(events.size(), 3u);
        EXPECT_EQ(events.front().value, test_case.announced);
        // Progress counts up to the whole file.
        std::int64_t previous = 0;
        for (auto const& event : events) {
            if (event.code != DownloadProgress)
                continue;
            EXPECT_GT(event.detail, previous);
            previous = event.detail;
        }
        EXPECT_EQ(previous, 100000);
    }
}

TEST_F(DownloadTest, IncompleteOrErrorReplyNeverFinishesAndLeavesNoFile)
{
    char const* const paths[] = {"/missing", "/cut", "/empty", "/no-such-route"};
    for (char const* path : paths) {
        SCOPED_TRACE(path);
        std::ofstream(Target()) << "left from before";
        EventLog case_log;
        Download download;
        TaskParam task = Task(server.Address(path));
        task.event_routine = case_log.Routine();
        ASSERT_TRUE(download.AddTask(task));
        ASSERT_TRUE(download.WaitUntilEnded(EndOfTransfer));

        EXPECT_EQ(download.State(), DownloadState::Failed);
        auto const codes = case_log.Codes();
        EXPECT_EQ(std::count(codes.begin(), codes.end(), DownloadFinished), 0);
        ASSERT_FALSE(codes.empty());
        EXPECT_EQ(codes.back(), DownloadFailed);
        EXPECT_FALSE(fs::exists(Target()));
    }
}

TEST_F(DownloadTest, CutOffReplyReportsTheProgressItMade)
{
    Download download;
    ASSERT_TRUE(download.AddTask(Task(server.Address("/cut"))));
    ASSERT_TRUE(download.WaitUntilEnded(EndOfTransfer));
    EXPECT_EQ(log.Codes(), (std::vector<int> {DownloadStarted, DownloadProgress, DownloadFailed}));
    EXPECT_EQ(log.Events().front().value, 100000);
    EXPECT_EQ(download.BytesDone(), testing::LoopbackFiles::CutOffAfter);
}

TEST_F(DownloadTest, UnreachableServerFails)
{
    std::string const address = "http://127.0.0.1:" + std::to_string(ClosedPort()) + "/file";
    Download download;
    ASSERT_TRUE(download.AddTask(Task(address)));
    ASSERT_TRUE(download.WaitUntilEnded(EndOfTransfer));
    EXPECT_EQ(download.State(), DownloadState::Failed);
    EXPECT_EQ(log.Codes(), (std::vector<int> {DownloadFailed}));
}

TEST_F(DownloadTest, SilentServerEndsTheTransferAfterTheStallLimit)
{
    Download download;
    TaskParam task = Task(server.Address("/silent"));
    task.stall_time_limit_ms = 1000;
    ASSERT_TRUE(download.AddTask(task));
    ASSERT_TRUE(download.WaitUntilEnded(EndOfTransfer));
    EXPECT_EQ(download.State(), DownloadState::Failed);
    EXPECT_EQ(log.Codes(), (std::vector<int> {DownloadFailed}));
}

TEST_F(DownloadTest, OnlyHttpAddressesAreFetched)
{
    char const* const refused[]
        = {"", "   ", "ftp://127.0.0.1/file", "file:///etc/passwd", "http://", "127.0.0.1/file"};
    for (char const* address : refused) {
        Download download;
        EXPECT_FALSE(download.AddTask(Task(address))) << address;
        EXPECT_EQ(download.State(), DownloadState::Idle);
    }
    EXPECT_TRUE(IsDownloadAddress("HTTP://host/x"));
    EXPECT_TRUE(IsDownloadAddress("https://host/x"));
    EXPECT_TRUE(log.Events().empty());
}

TEST_F(DownloadTest, OneTaskAtATimeAndStopEndsItAsFailed)
{
    Download download;
    ASSERT_TRUE(download.AddTask(Task(server.Address("/trickle"))));
    EXPECT_FALSE(download.AddTask(Task(server.Address("/file"))));
    download.Stop();
    ASSERT_TRUE(download.WaitUntilEnded(EndOfTransfer));
    EXPECT_EQ(download.State(), DownloadState::Failed);
    EXPECT_FALSE(fs::exists(Target()));

    // The next task runs once the first has ended.
    ASSERT_TRUE(download.AddTask(Task(server.Address("/file"))));
    ASSERT_TRUE(download.WaitUntilEnded(EndOfTransfer));
    EXPECT_EQ(download.State(), DownloadState::Finished);
}

TEST_F(DownloadTest, DestroyingARunningDownloadStopsIt)
{
    {
        Download download;
        ASSERT_TRUE(download.AddTask(Task(server.Address("/trickle"))));
    }
    EXPECT_EQ(log.Codes().back(), DownloadFailed);
}

}
}
