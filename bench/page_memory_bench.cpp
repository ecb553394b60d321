// How much memory a result page costs: the peak resident memory that an item search of one
// page adds, for a page of 100 MB against one of 1 MB, measured in one run. Each search runs
// in a child process of its own, so that each peak is that search's alone; the sample
// marketplace stays in this process and makes its padding while it sends it.
#include "app/click_dispatch.h"
#include "app/memory_form.h"
#include "app/session.h"
#include "market/sample_market.h"
#include "text/gbk.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <optional>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace velmora {
namespace {

constexpr std::size_t Megabyte = std::size_t {1} << 20;
constexpr std::size_t SmallPage = 1 * Megabyte;
constexpr std::size_t HugePage = 100 * Megabyte;
constexpr long KilobytesPerMegabyte = 1024;

// Resident memory now, in kilobytes.
long ResidentKilobytes()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// One whole item search of one page, as the window runs it.
void RunOnePageSearch(Endpoints const& endpoints)
{
    MemoryForm form;
    WindowlessEventPump pump;
    RecordingDesktop desktop;
    Session session(form, pump, desktop, endpoints);
    form.SetChecked(Control::单选框宝贝搜索, true);
    form.SetChecked(Control::单选框店铺搜索, false);
    form.SetText(Control::编辑框关键字, "连衣裙"_gbk);
    OnClick(session, Control::按钮搜索卖家);
}

// The peak resident memory the search added in a child process, in kilobytes; none when
// the child failed.
std::optional<long> PeakGrowthOfASearch(Endpoints const& endpoints)
{
    int report[2];
    if (pipe(report) != 0)
        return std::nullopt;
    pid_t const child = fork();
    if (child == 0) {
        close(report[0]);
        long const before = ResidentKilobytes();
        RunOnePageSearch(endpoints);
        rusage usage {};
        getrusage(RUSAGE_SELF, &usage);
        long const growth = usage.ru_maxrss - before;
        bool const written = write(report[1], &growth, sizeof growth) == sizeof growth;
        _exit(written ? 0 : 1);
    }
    close(report[1]);
    long growth = 0;
    bool const read_all = child > 0 && read(report[0], &growth, sizeof growth) == sizeof growth;
    close(report[0]);
    int status = 0;
    if (child > 0)
        waitpid(child, &status, 0);
    if (!read_all || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return growth;
}

void PeakMemoryOfAHugePageAgainstASmallOne(benchmark::State& state)
{
    market::SampleMarket market;
    if (auto started = market.Start(); !started) {
        state.SkipWithError(started.message.c_str());
        return;
    }
    auto measure = [&](std::size_t page_size) {
        market.Configure([&](market::Scenario& s) {
            s.item_search_pages = 1;
            s.padded_sizes[market::MarketHost::ItemSearch] = page_size;
        });
        return PeakGrowthOfASearch(market.Endpoints());
    };
    std::optional<long> small;
    std::optional<long> huge;
    for (auto _ : state) {
        small = measure(SmallPage);
        huge = measure(HugePage);
        if (!small || !huge) {
            state.SkipWithError("a search in a child process failed");
            return;
        }
    }
    double const small_mb = static_cast<double>(*small) / KilobytesPerMegabyte;
    double const huge_mb = static_cast<double>(*huge) / KilobytesPerMegabyte;
    state.counters["peak_growth_1MB_page_MB"] = small_mb;
    state.counters["peak_growth_100MB_page_MB"] = huge_mb;
    state.counters["ratio_100MB_to_1MB"] = small_mb > 0 ? huge_mb / small_mb : 0;
    // Resident bytes per byte of page: what a page of any size costs, beyond a fixed part.
    state.counters["bytes_per_page_byte"]
        = (huge_mb - small_mb) / static_cast<double>((HugePage - SmallPage) / Megabyte);
}

BENCHMARK(PeakMemoryOfAHugePageAgainstASmallOne)->Iterations(1)->Unit(benchmark::kMillisecond);

}
}
