// Each collector's scan of a whole page as the sample marketplace serves it (spaces removed,
// the block found, every entry cut, the page count read), in MB/s, against memchr reading the
// same bytes, both timed alternately in one run.
#include "bench/bench_support.h"
#include "bench/market_pages.h"
#include "buyers/nickname_scanner.h"
#include "sellers/item_entry.h"
#include "sellers/item_search_page.h"
#include "sellers/shop_entry.h"
#include "sellers/shop_search_page.h"
#include "text/spaces.h"

#include <benchmark/benchmark.h>
#include <cstring>

namespace velmora {
namespace {

// What a scan yields: entries for the sanity check, bytes so the work cannot be dropped.
struct ScanResult {
    std::size_t entries {};
    std::size_t bytes {};
};

ScanResult ScanItemSearchPage(std::string_view fetched)
{
    Text const page = RemoveSpaces(fetched);
    ScanResult result {0, static_cast<std::size_t>(ListPageCount(page))};
    ItemEntryScanner scanner(ListBlock(page));
    while (auto entry = scanner.Next()) {
        ItemEntry const cut = CutListItemEntry(*entry);
        result.bytes += cut.nickname.size() + cut.item_link.size() + cut.title.size() + cut.location.size();
        ++result.entries;
    }
    return result;
}

ScanResult ScanEnlargedItemSearchPage(std::string_view fetched)
{
    Text const page = RemoveSpaces(fetched);
    std::string_view const block = ResultBlock(page);
    ScanResult result {0, static_cast<std::size_t>(ResultPageCount(block))};
    ItemEntryScanner scanner(block);
    while (auto entry = scanner.Next()) {
        ItemEntry const cut = CutEnlargedItemEntry(*entry);
        result.bytes += cut.nickname.size() + cut.item_link.size() + cut.title.size() + cut.location.size();
        ++result.entries;
    }
    return result;
}

template<NicknameEnd End, int CutLimit> ScanResult ScanRatingPage(std::string_view fetched)
{
    Text const page = RemoveSpaces(fetched);
    ScanResult result;
    NicknameScanner scanner(page, End, CutLimit);
    while (auto nickname = scanner.Next()) {
        result.bytes += nickname->size();
        ++result.entries;
    }
    return result;
}

// Every entry of the first result page, the mall shops among them cut like the others.
class CountingShopHandler : public ShopEntryHandler {
public:
    bool PassesOverMallShop() override { return false; }
    void Take(ShopEntry const& entry) override
    {
        result.bytes += entry.shop_address.size() + entry.nickname.size() + entry.location.size()
            + entry.credit_value.size();
        ++result.entries;
    }

    ScanResult result;
};

ScanResult ScanShopSearchPage(std::string_view fetched)
{
    Text const page = RemoveSpaces(fetched);
    CountingShopHandler handler;
    handler.result.bytes = static_cast<std::size_t>(ShopPageCount(page));
    ScanShopEntries(
        ShopTableRegion(page), bench::SampleMarketPages().rating_host, MallIconSwitch::Off, handler);
    return handler.result;
}

// The baseline: one pass over the bytes looking for a byte no page holds.
std::size_t ReadWithMemchr(std::string_view page)
{
    // Hidden from the optimiser, so that repeated passes over one page are each made.
    char const* bytes = page.data();
    benchmark::DoNotOptimize(bytes);
    void const* found = std::memchr(bytes, '\0', page.size());
    return found ? 1 : page.size();
}

void BM_PageScan(
    benchmark::State& state, Text bench::MarketPages::*which, ScanResult (*scan)(std::string_view))
{
    Text const& page = bench::SampleMarketPages().*which;
    if (scan(page).entries == 0) {
        state.SkipWithError("the page gave no entries");
        return;
    }
    // One memchr pass over a page takes about as long as reading the clock, so each timed
    // measurement holds many passes.
    constexpr int MemchrPassesPerMeasurement = 256;
    bench::PairedTimes times;
    for (auto _ : state)
        times.Measure([&] { benchmark::DoNotOptimize(scan(page)); },
            [&] {
                for (int pass = 0; pass < MemchrPassesPerMeasurement; ++pass)
                    benchmark::DoNotOptimize(ReadWithMemchr(page));
            });
    constexpr double BytesPerMegabyte = 1e6;
    double const megabytes = static_cast<double>(page.size()) / BytesPerMegabyte;
    double const scan_seconds = bench::Median(times.first);
    double const memchr_seconds = bench::Median(times.second) / MemchrPassesPerMeasurement;
    state.counters["page_kb"] = static_cast<double>(page.size()) / 1024;
    state.counters["scan_MBps"] = megabytes / scan_seconds;
    state.counters["memchr_MBps"] = megabytes / memchr_seconds;
    state.counters["ratio"] = memchr_seconds / scan_seconds;
}

using bench::MarketPages;
BENCHMARK_CAPTURE(BM_PageScan, item_search, &MarketPages::item_search, &ScanItemSearchPage);
BENCHMARK_CAPTURE(
    BM_PageScan, item_search_enlarged, &MarketPages::item_search_enlarged, &ScanEnlargedItemSearchPage);
BENCHMARK_CAPTURE(BM_PageScan, shop_search, &MarketPages::shop_search, &ScanShopSearchPage);
BENCHMARK_CAPTURE(BM_PageScan, seller_ratings, &MarketPages::seller_ratings,
    &ScanRatingPage<NicknameEnd::BeforeCommaLessOne, ShopRatingCutLimit>);
BENCHMARK_CAPTURE(BM_PageScan, item_ratings, &MarketPages::item_ratings,
    &ScanRatingPage<NicknameEnd::BeforeQuote, ItemRatingCutLimit>);

} // namespace
} // namespace velmora
