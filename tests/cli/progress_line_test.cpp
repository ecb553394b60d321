// The terminal's progress line: drawn only on a terminal, redrawn only on a change, and never
// mixed into a log line.
#include "cli/command_line.h"
#include "cli/progress_line.h"
#include "cli/run_command.h"
#include "market/sample_market.h"

#include <gtest/gtest.h>
#include <sstream>

namespace velmora::cli {
namespace {

// What a terminal shows once the stream has been written to it: the finished lines, and the
// line the cursor stands on.
struct Screen {
    std::vector<std::string> lines;
    std::string current;
};

Screen ShownOnTerminal(std::string_view stream)
{
    Screen screen;
    while (!stream.empty()) {
        if (stream.starts_with(EraseLine)) {
            screen.current.clear();
            stream.remove_prefix(EraseLine.size());
        } else if (stream.front() == '\n') {
            screen.lines.push_back(std::move(screen.current));
            screen.current.clear();
            stream.remove_prefix(1);
        } else {
            screen.current += stream.front();
            stream.remove_prefix(1);
        }
    }
    return screen;
}

void PlayRun(ProgressLine& progress)
{
    progress.Show(0, 0); // the first page not yet asked for: nothing to show
    progress.WriteLine("开始采集数据 。。。");
    progress.Show(1, 0);
    progress.Show(1, 0);
    progress.Show(1, 3);
    progress.WriteLine("正在采集第2页。。。");
    progress.Show(2, 3);
    progress.Finish();
}

TEST(ProgressLine, FileOrPipeGetsTheLogLinesOnly)
{
    std::ostringstream err;
    ProgressLine progress(err, StandardErrorKind::FileOrPipe);
    PlayRun(progress);
    EXPECT_EQ(err.str(), "开始采集数据 。。。\n正在采集第2页。。。\n");
}

TEST(ProgressLine, TerminalRedrawsOnChangeAndKeepsLogLinesWhole)
{
    std::ostringstream err;
    ProgressLine progress(err, StandardErrorKind::Terminal);
    PlayRun(progress);
    std::string const raw = err.str();
    EXPECT_EQ(raw,
        "开始采集数据 。。。\n"
        "velmora-cli: page 1, 0 rows"
        "\x1b[2K\rvelmora-cli: page 1, 3 rows"
        "\x1b[2K\r正在采集第2页。。。\nvelmora-cli: page 1, 3 rows"
        "\x1b[2K\rvelmora-cli: page 2, 3 rows"
        "\x1b[2K\r");
    Screen const screen = ShownOnTerminal(raw);
    EXPECT_EQ(screen.lines, (std::vector<std::string> {"开始采集数据 。。。", "正在采集第2页。。。"}));
    EXPECT_EQ(screen.current, "");
}

TEST(ProgressLine, TerminalRunShowsTheSameLogAsAPipe)
{
    market::SampleMarket market;
    ASSERT_TRUE(market.Start());
    std::vector<std::string> arguments {"items", "--keyword", "连衣裙", "--end-page", "2"};
    auto const hosts = EndpointOptions(market.Endpoints());
    arguments.insert(arguments.end(), hosts.begin(), hosts.end());

    std::ostringstream pipe_out, pipe_err, terminal_out, terminal_err;
    ASSERT_EQ(RunCommand(arguments, pipe_out, pipe_err, StandardErrorKind::FileOrPipe), ExitFinished);
    ASSERT_EQ(RunCommand(arguments, terminal_out, terminal_err, StandardErrorKind::Terminal), ExitFinished);

    EXPECT_EQ(terminal_out.str(), pipe_out.str());
    EXPECT_NE(terminal_err.str().find("velmora-cli: page 2, "), std::string::npos);
    Screen const screen = ShownOnTerminal(terminal_err.str());
    EXPECT_EQ(screen.current, "");
    std::string shown;
    for (auto const& line : screen.lines)
        shown += line + "\n";
    EXPECT_EQ(shown, pipe_err.str());
}

} // namespace
} // namespace velmora::cli
