// The GBK-aware marker search against glibc's memmem on the same 200 KB results page.
#include "bench/bench_support.h"
#include "text/gbk.h"
#include "text/marker_search.h"

#include <benchmark/benchmark.h>
#include <cstring>

namespace velmora {
namespace {

constexpr std::size_t PageSize = 200 * 1024;

// A results page of the kind the collectors read: mostly markup, Chinese titles, places
// and nicknames, with spaces already removed.
Text const& ResultsPage()
{
    static Text const page = [] {
        Text entry
            = "<liclass=\"list-item\"><h3class=\"summary\"><ahref=\"http://item.example/item.htm?id=1234567\""
              "target=\"_blank\"title=\""
            + "韩版修身显瘦百搭纯棉长袖T恤女装春秋新款包邮"_gbk + "\">" + "韩版修身显瘦百搭纯棉长袖"_gbk
            + "</a></h3><divclass=\"col\"><spanclass=\"price\">89.00</span><divclass=\"place\">"
            + "浙江杭州"_gbk
            + "</div><divclass=\"seller\"><ahref=\"http://rate.example/"
              "user-rate-12345.htm\"target=\"_blank\">"
            + "小桥流水人家"_gbk + "</a></div></div></li>\n";
        Text page = "<html><head><title>" + "搜索结果"_gbk + "</title></head><body><ulclass=\"list-view\">";
        while (page.size() < PageSize)
            page += entry;
        page += "</ul><!--endlistview--><div>" + "共100页"_gbk + "</div></body></html>";
        return page;
    }();
    return page;
}

Text const EntryMarker = "<liclass=\"list-item\">";

std::size_t CountWithGbkSearch(Text const& page, std::string_view marker)
{
    std::size_t count = 0;
    for (auto found = FindMarker(page, marker); found;
         found = FindMarker(page, marker, *found + marker.size()))
        ++count;
    return count;
}

std::size_t CountWithMemmem(Text const& page, std::string_view marker)
{
    std::size_t count = 0;
    char const* position = page.data();
    char const* end = page.data() + page.size();
    while (auto const* found
        = static_cast<char const*>(memmem(position, end - position, marker.data(), marker.size()))) {
        ++count;
        position = found + marker.size();
    }
    return count;
}

void BM_GbkAwareSearch(benchmark::State& state, std::string_view marker)
{
    Text const& page = ResultsPage();
    for (auto _ : state)
        benchmark::DoNotOptimize(CountWithGbkSearch(page, marker));
    state.SetBytesProcessed(state.iterations() * page.size());
}

void BM_Memmem(benchmark::State& state, std::string_view marker)
{
    Text const& page = ResultsPage();
    for (auto _ : state)
        benchmark::DoNotOptimize(CountWithMemmem(page, marker));
    state.SetBytesProcessed(state.iterations() * page.size());
}

// Both searches timed alternately in one run; the counter is their ratio of medians.
void BM_GbkAwareOverMemmem(benchmark::State& state, std::string_view marker)
{
    Text const& page = ResultsPage();
    bench::PairedTimes times;
    for (auto _ : state)
        times.Measure([&] { benchmark::DoNotOptimize(CountWithGbkSearch(page, marker)); },
            [&] { benchmark::DoNotOptimize(CountWithMemmem(page, marker)); });
    state.counters["ratio"] = times.MedianRatio();
}

std::string const ChineseMarker = "小桥流水人家"_gbk;

BENCHMARK_CAPTURE(BM_GbkAwareSearch, entry_marker, EntryMarker);
BENCHMARK_CAPTURE(BM_Memmem, entry_marker, EntryMarker);
BENCHMARK_CAPTURE(BM_GbkAwareOverMemmem, entry_marker, EntryMarker);
BENCHMARK_CAPTURE(BM_GbkAwareSearch, chinese_marker, ChineseMarker);
BENCHMARK_CAPTURE(BM_Memmem, chinese_marker, ChineseMarker);
BENCHMARK_CAPTURE(BM_GbkAwareOverMemmem, chinese_marker, ChineseMarker);
BENCHMARK_CAPTURE(BM_GbkAwareSearch, absent_marker, std::string_view("nowhere-in-page"));
BENCHMARK_CAPTURE(BM_Memmem, absent_marker, std::string_view("nowhere-in-page"));
BENCHMARK_CAPTURE(BM_GbkAwareOverMemmem, absent_marker, std::string_view("nowhere-in-page"));

}
}
