#include "update/replace_script.h"

#include "support/files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <thread>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

TEST(ReplaceScript, WindowsBatchQuotesNamesAndEndsOnlyThisProcess)
{
    struct Case {
        Text folder;
        Text name;
        std::string expected;
    };
    Case const cases[] = {
        {"C:\\Program Files\\Velmora", "Velmora 100%.exe",
            "@echo off\r\n"
            "taskkill /f /pid 4242\r\n"
            "ping 127.0.0.1 -n 2 >nul\r\n"
            "Del \"C:\\Program Files\\Velmora\\Velmora 100%%.exe\"\r\n"
            "ren \"C:\\Program Files\\Velmora\\TMP\" \"Velmora 100%%.exe\"\r\n"
            "start \"\" /d \"C:\\Program Files\\Velmora\" \"C:\\Program Files\\Velmora\\Velmora "
            "100%%.exe\"\r\n"
            "Del \"%~f0\"\r\n"
            "Exit"},
        // GBK names; the folder's trailing separator is not doubled.
        {"D:\\", "采集 工具.exe"_gbk,
            "@echo off\r\n"
            "taskkill /f /pid 4242\r\n"
            "ping 127.0.0.1 -n 2 >nul\r\n"
            "Del \"D:\\"
                + "采集 工具.exe"_gbk + "\"\r\nren \"D:\\TMP\" \"" + "采集 工具.exe"_gbk
                + "\"\r\nstart \"\" /d \"D:\\\" \"D:\\" + "采集 工具.exe"_gbk + "\"\r\nDel \"%~f0\"\r\nExit"},
    };
    for (auto const& test_case : cases) {
        ProgramFile const program {PathFromText(test_case.folder), PathFromText(test_case.name)};
        EXPECT_EQ(ReplaceScriptText(ScriptKind::WindowsBatch, program, 4242), test_case.expected)
            << GbkToUtf8(test_case.name);
    }
    EXPECT_EQ(ReplaceScriptPath(ScriptKind::WindowsBatch, {"/p", "v"}), fs::path("/p/5.bat"));
}

TEST(ReplaceScript, PosixShellQuotesNamesAndEndsOnlyThisProcess)
{
    ProgramFile const program {"/opt/my apps/it's", "velmora new"};
    EXPECT_EQ(ReplaceScriptText(ScriptKind::PosixShell, program, 4242),
        "#!/bin/sh\n"
        "# Puts the downloaded update in the place of the program once the program has ended.\n"
        "pid=4242\n"
        "waited=0\n"
        "while kill -0 \"$pid\" 2>/dev/null; do\n"
        "    waited=$((waited + 1))\n"
        "    if [ \"$waited\" -eq 50 ]; then kill -9 \"$pid\" 2>/dev/null; fi\n"
        "    if [ \"$waited\" -ge 100 ]; then break; fi\n"
        "    sleep 0.1\n"
        "done\n"
        "cd '/opt/my apps/it'\\''s' || exit 1\n"
        "if [ -f 'TMP' ]; then\n"
        "    chmod +x 'TMP'\n"
        "    mv -f 'TMP' 'velmora new'\n"
        "fi\n"
        "'./velmora new' </dev/null >/dev/null 2>&1 &\n"
        "rm -f \"$0\"\n");
    EXPECT_EQ(ReplaceScriptPath(ScriptKind::PosixShell, program), fs::path("/opt/my apps/it's/5.sh"));
    EXPECT_EQ(DownloadTargetPath(program), fs::path("/opt/my apps/it's/TMP"));
    EXPECT_EQ(NativeScriptKind(), ScriptKind::PosixShell);
}

using testing::AppearsWithin;
using testing::FileBytes;

pid_t Spawn(fs::path const& program, std::vector<std::string> arguments)
{
    std::vector<char*> argv;
    std::string const name = program.string();
    argv.push_back(const_cast<char*>(name.c_str()));
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    EXPECT_EQ(posix_spawn(&child, name.c_str(), nullptr, nullptr, argv.data(), environ), 0);
    return child;
}

// A program folder with blanks and a quote in its name, an old program file and the
// downloaded TMP: a shell program that writes a marker file when it runs.
class ScriptRun : public ::testing::Test {
protected:
    ScriptRun()
    {
        std::random_device seed;
        m_root = fs::temp_directory_path() / ("velmora-script-" + std::to_string(seed()));
        program = {m_root / "my program's folder", "velmora old"};
        fs::create_directories(program.directory);
        std::ofstream(program.FullPath()) << "old program";
        std::ofstream(DownloadTargetPath(program)) << "#!/bin/sh\necho ran > '" << Marker().string() << "'\n";
    }
    ~ScriptRun() override { fs::remove_all(m_root); }

    fs::path Marker() const { return m_root / "marker"; }

    fs::path WriteScript(std::int64_t process_id)
    {
        fs::path const script = ReplaceScriptPath(ScriptKind::PosixShell, program);
        std::ofstream(script, std::ios::binary)
            << ReplaceScriptText(ScriptKind::PosixShell, program, process_id);
        return script;
    }

    void ExpectReplacedAndStarted(fs::path const& script)
    {
        ASSERT_TRUE(AppearsWithin(Marker(), 60s));
        EXPECT_EQ(FileBytes(Marker()), "ran\n");
        auto const permissions = fs::status(program.FullPath()).permissions();
        EXPECT_NE(permissions & fs::perms::owner_exec, fs::perms::none);
        EXPECT_FALSE(fs::exists(DownloadTargetPath(program)));
        // The script deletes itself after starting the new program.
        for (int wait = 0; wait < 100 && fs::exists(script); ++wait)
            std::this_thread::sleep_for(50ms);
        EXPECT_FALSE(fs::exists(script));
    }

    ProgramFile program;

private:
    fs::path m_root;
};

TEST_F(ScriptRun, ReplacesTheProgramStartsItAndDeletesItself)
{
    // A process that has already ended and been reaped: the script does not wait.
    pid_t const ended = Spawn("/bin/true", {});
    waitpid(ended, nullptr, 0);

    fs::path const script = WriteScript(ended);
    ASSERT_TRUE(StartReplaceScript(script));
    ExpectReplacedAndStarted(script);
    EXPECT_NE(FileBytes(program.FullPath()), "old program");
}

TEST_F(ScriptRun, EndsTheLingeringProgramByItsIdAndSparesOthersOfTheSameName)
{
    // Two running copies of one program file; the script is given the id of the first.
    fs::path const sleeper = program.FullPath();
    fs::copy_file("/bin/sleep", sleeper, fs::copy_options::overwrite_existing);
    pid_t const lingering = Spawn(sleeper, {"120"});
    pid_t const other = Spawn(sleeper, {"120"});
    std::thread reaper([lingering] { waitpid(lingering, nullptr, 0); });

    fs::path const script = WriteScript(lingering);
    ASSERT_TRUE(StartReplaceScript(script));
    ExpectReplacedAndStarted(script);
    reaper.join();
    EXPECT_EQ(kill(other, 0), 0) << "a process of the same name was ended";
    kill(other, SIGKILL);
    waitpid(other, nullptr, 0);
}

}
}
