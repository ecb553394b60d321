// Cutting an item search result page into its 40 seller entries, against the space removal
// that every page goes through first, on the same page in the same run.
#include "bench/bench_support.h"
#include "sellers/item_entry.h"
#include "sellers/item_search_page.h"
#include "text/gbk.h"
#include "text/spaces.h"

#include <benchmark/benchmark.h>

namespace velmora {
namespace {

// A list-layout page of 40 entries as the marketplace writes it, spaces still in.
Text const& ListLayoutPage()
{
    static Text const page = [] {
        Text page = "<html><head><title>" + "连衣裙 - 淘宝搜索"_gbk
            + "</title></head><body>\n<div class=\"list-view\">\n<ul>\n";
        for (int i = 0; i < 40; ++i) {
            Text const id = std::to_string(12867574371LL + 7 * i);
            page += "<li class=\"list-item\">\n<h3 class=\"summary\"><a "
                    "href=\"http://item.example/item.htm?id="
                + id + "\" target=\"_blank\" class=\"EventCanSelect\" title=\""
                + "2011秋冬新款 韩版 修身显瘦 连衣裙"_gbk + "\">" + "2011秋冬新款 韩版 修身显瘦 连衣裙"_gbk
                + "</a></h3>\n<div class=\"price\"><em>89.00</em> " + "元"_gbk
                + "</div>\n<div class=\"place\">" + "浙江 杭州"_gbk
                + "</div>\n<div class=\"seller\"><a href=\"http://rate.example/user-rate-" + id
                + ".htm\" target=\"_blank\">" + "小鱼儿的衣橱"_gbk + "</a></div>\n</li>\n";
        }
        page += "</ul>\n</div>\n<!-- endlistview -->\n<div>" + "共 3 页"_gbk + "</div></body></html>\n";
        return page;
    }();
    return page;
}

std::size_t CutEveryEntry(std::string_view page_text)
{
    std::size_t nickname_bytes = 0;
    ItemEntryScanner scanner(ListBlock(page_text));
    while (auto entry = scanner.Next())
        nickname_bytes += CutListItemEntry(*entry).nickname.size();
    return nickname_bytes + static_cast<std::size_t>(ListPageCount(page_text));
}

void BM_RemoveSpaces(benchmark::State& state)
{
    Text const& page = ListLayoutPage();
    for (auto _ : state)
        benchmark::DoNotOptimize(RemoveSpaces(page));
    state.SetBytesProcessed(state.iterations() * page.size());
}

void BM_CutListPage(benchmark::State& state)
{
    Text const page_text = RemoveSpaces(ListLayoutPage());
    for (auto _ : state)
        benchmark::DoNotOptimize(CutEveryEntry(page_text));
    state.SetBytesProcessed(state.iterations() * page_text.size());
}

// Both timed alternately in one run; the counter is the ratio of their medians.
void BM_CutListPageOverRemoveSpaces(benchmark::State& state)
{
    Text const& page = ListLayoutPage();
    Text const page_text = RemoveSpaces(page);
    bench::PairedTimes times;
    for (auto _ : state)
        times.Measure([&] { benchmark::DoNotOptimize(CutEveryEntry(page_text)); },
            [&] { benchmark::DoNotOptimize(RemoveSpaces(page)); });
    state.counters["ratio"] = times.MedianRatio();
}

BENCHMARK(BM_RemoveSpaces);
BENCHMARK(BM_CutListPage);
BENCHMARK(BM_CutListPageOverRemoveSpaces);

}
}
