// The peak resident memory of velmora-cli (a child process, read as /usr/bin/time -v reads
// it) for a shop-buyer run over 100 rating pages against the same run over 1 page: a run must
// not keep what it no longer needs.
#include "cli/command_line.h"
#include "market/sample_market.h"
#include "text/gbk.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <optional>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace velmora {
namespace {

constexpr int ShortRunPages = 1;
constexpr int LongRunPages = 100;

struct ChildRun {
    int exit_status {};
    long peak_resident_kb {};
};

// Runs the program with its output thrown away; its peak resident size from the kernel.
std::optional<ChildRun> RunProgram(std::vector<std::string> const& arguments)
{
    std::vector<char*> argv;
    for (auto const& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    int const spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return std::nullopt;
    int status = 0;
    rusage usage {};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status))
        return std::nullopt;
    return ChildRun {WEXITSTATUS(status), usage.ru_maxrss};
}

// A shop-buyer run of the example shop when every seller has pages rating pages.
std::optional<ChildRun> ShopBuyerRun(int pages)
{
    market::Scenario scenario;
    scenario.seller_rating_pages = pages;
    market::SampleMarket market(scenario);
    if (!market.Start())
        return std::nullopt;
    std::vector<std::string> arguments {
        VELMORA_CLI_PATH, "shop-buyers", "--shop", GbkToUtf8(market.View().ExampleShopAddress())};
    auto const hosts = cli::EndpointOptions(market.Endpoints());
    arguments.insert(arguments.end(), hosts.begin(), hosts.end());
    auto run = RunProgram(arguments);
    // The run must have read every page, or the figure says nothing.
    if (!run || run->exit_status != 0
        || market.Requests(market::MarketHost::Rating).size() < static_cast<std::size_t>(pages))
        return std::nullopt;
    return run;
}

void BM_ShopBuyerRunPeakMemory(benchmark::State& state)
{
    std::optional<ChildRun> short_run;
    std::optional<ChildRun> long_run;
    for (auto _ : state) {
        short_run = ShopBuyerRun(ShortRunPages);
        long_run = ShopBuyerRun(LongRunPages);
        if (!short_run || !long_run) {
            state.SkipWithError("a velmora-cli run failed");
            return;
        }
    }
    state.counters["peak_kb_1_page"] = static_cast<double>(short_run->peak_resident_kb);
    state.counters["peak_kb_100_pages"] = static_cast<double>(long_run->peak_resident_kb);
    state.counters["ratio"]
        = static_cast<double>(long_run->peak_resident_kb) / static_cast<double>(short_run->peak_resident_kb);
}

BENCHMARK(BM_ShopBuyerRunPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace velmora
