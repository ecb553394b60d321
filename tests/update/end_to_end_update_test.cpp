#include "market/sample_market.h"

#include "support/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

using testing::AppearsWithin;
using testing::FileBytes;

// A copy of the probe program in a folder of its own whose names hold blanks, as an
// installed program would lie.
class EndToEndUpdate : public ::testing::Test {
protected:
    EndToEndUpdate()
    {
        std::random_device seed;
        m_root = fs::temp_directory_path() / ("velmora-e2e-" + std::to_string(seed()));
        m_folder = m_root / "installed program";
        fs::create_directories(m_folder);
        fs::copy_file(VELMORA_UPDATE_PROBE, Program());
        m_original = *FileBytes(Program());
    }
    ~EndToEndUpdate() override { fs::remove_all(m_root); }

    fs::path Program() const { return m_folder / "velmora probe"; }
    fs::path Marker() const { return m_root / "new program ran"; }
    fs::path Output() const { return m_root / "probe output"; }
    std::string const& OriginalBytes() const { return m_original; }

    // A new program file: a shell program that leaves a marker when it runs, padded with a
    // comment so that it travels in several pieces.
    std::string NewProgram() const
    {
        return "#!/bin/sh\necho started > '" + Marker().string() + "'\n#" + std::string(4000, '-') + "\n";
    }

    // Runs the installed program against the update server and returns its exit status.
    int RunProgram(Text const& update_server)
    {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(
            &actions, STDOUT_FILENO, Output().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::string const program = Program().string();
        std::string server = update_server;
        char* arguments[] = {const_cast<char*>(program.c_str()), server.data(), nullptr};
        pid_t child = 0;
        int const spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, arguments, environ);
        posix_spawn_file_actions_destroy(&actions);
        EXPECT_EQ(spawned, 0);
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::vector<std::string> OutputLines(std::string_view kind) const
    {
        std::vector<std::string> lines;
        std::ifstream stream(Output());
        for (std::string line; std::getline(stream, line);) {
            if (line.starts_with(std::string(kind) + " "))
                lines.push_back(line.substr(kind.size() + 1));
        }
        return lines;
    }

    std::vector<int> Percentages() const
    {
        std::vector<int> percentages;
        for (auto const& line : OutputLines("canvas")) {
            EXPECT_TRUE(line.ends_with("%")) << line;
            percentages.push_back(std::stoi(line));
        }
        return percentages;
    }

private:
    fs::path m_root;
    fs::path m_folder;
    std::string m_original;
};

TEST_F(EndToEndUpdate, NewerVersionReplacesTheRunningProgram)
{
    market::SampleMarket market;
    market.Configure([&](market::Scenario& scenario) {
        scenario.update.program_file = NewProgram();
        // Pieces with a pause between them, so that the download reports several steps.
        scenario.paces[market::MarketHost::Update].chunk_bytes = 512;
        scenario.paces[market::MarketHost::Update].chunk_pause = 10ms;
    });
    ASSERT_TRUE(market.Start());

    EXPECT_EQ(RunProgram(market.Endpoints().UpdateServer), 0);
    EXPECT_EQ(OutputLines("message"), std::vector<std::string> {"发现新版"});
    EXPECT_EQ(OutputLines("caption"), std::vector<std::string> {"正在更新"});
    std::vector<int> const percentages = Percentages();
    ASSERT_GE(percentages.size(), 2u);
    EXPECT_TRUE(std::is_sorted(percentages.begin(), percentages.end()));
    EXPECT_EQ(percentages.back(), 100);

    // The script waits for the program to end, puts the new file in its place and starts it.
    ASSERT_TRUE(AppearsWithin(Marker(), 60s)) << "the new program did not run";
    EXPECT_EQ(FileBytes(Program()), NewProgram());
    EXPECT_NE(fs::status(Program()).permissions() & fs::perms::owner_exec, fs::perms::none);
    EXPECT_FALSE(fs::exists(Program().parent_path() / "TMP"));
    for (int wait = 0; wait < 200 && fs::exists(Program().parent_path() / "5.sh"); ++wait)
        std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(fs::exists(Program().parent_path() / "5.sh"));
}

TEST_F(EndToEndUpdate, DownloadCutOffLeavesTheOldProgram)
{
    // The manifest comes whole from one server; the program file from another that drops
    // the connection halfway.
    market::SampleMarket broken_mirror;
    broken_mirror.Configure([&](market::Scenario& scenario) {
        scenario.update.program_file = NewProgram();
        scenario.damage[market::MarketHost::Update] = market::PageDamage::ConnectionDropped;
    });
    ASSERT_TRUE(broken_mirror.Start());
    market::SampleMarket market;
    market.Configure([&](market::Scenario& scenario) {
        scenario.update.download_address
            = "http://" + broken_mirror.Endpoints().UpdateServer + "/download/velmora";
    });
    ASSERT_TRUE(market.Start());

    EXPECT_EQ(RunProgram(market.Endpoints().UpdateServer), 3);
    EXPECT_EQ(FileBytes(Program()), OriginalBytes());
    EXPECT_FALSE(fs::exists(Program().parent_path() / "TMP"));
    EXPECT_FALSE(fs::exists(Program().parent_path() / "5.sh"));
    EXPECT_FALSE(fs::exists(Marker()));
    EXPECT_TRUE(OutputLines("script").empty());
    // The window keeps the last percentage it showed, below 100.
    ASSERT_FALSE(Percentages().empty());
    EXPECT_LT(Percentages().back(), 100);
    EXPECT_EQ(OutputLines("progress"), std::vector<std::string> {std::to_string(Percentages().back())});
}

}
}
