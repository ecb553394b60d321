// A 10-page item search with status probes and credit lookups, run through the headless front
// end against the sample marketplace with no added latency, in requests per second, against a
// bare libcurl loop that fetches the same addresses in the same order with a fresh handle each.
#include "bench/bench_support.h"
#include "cli/command_line.h"
#include "cli/run_command.h"
#include "market/sample_market.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <sstream>

namespace velmora {
namespace {

constexpr int SearchPages = 10;

std::vector<std::string> ItemSearchArguments(Endpoints const& endpoints)
{
    std::vector<std::string> arguments {"items", "--keyword", "连衣裙", "--end-page",
        std::to_string(SearchPages), "--online-only", "--show-credit"};
    auto const hosts = cli::EndpointOptions(endpoints);
    arguments.insert(arguments.end(), hosts.begin(), hosts.end());
    return arguments;
}

bool RunItemSearch(std::vector<std::string> const& arguments)
{
    std::ostringstream rows;
    std::ostringstream log;
    return cli::RunCommand(arguments, rows, log) == cli::ExitFinished && !rows.str().empty();
}

// Every address the run asked for, in the order the marketplace received them.
std::vector<std::string> AddressesRequested(market::SampleMarket const& market)
{
    auto requests = market.AllRequests();
    std::sort(requests.begin(), requests.end(),
        [](auto const& left, auto const& right) { return left.sequence < right.sequence; });
    Endpoints const endpoints = market.Endpoints();
    std::vector<std::string> addresses;
    for (auto const& request : requests)
        addresses.push_back("http://" + *endpoints.Get(market::EndpointName(request.host)) + request.target);
    return addresses;
}

void BM_ItemSearchRunOverBareCurlLoop(benchmark::State& state)
{
    market::Scenario scenario;
    scenario.item_search_pages = SearchPages;
    market::SampleMarket market(scenario);
    if (!market.Start()) {
        state.SkipWithError("the sample marketplace did not start");
        return;
    }
    auto const arguments = ItemSearchArguments(market.Endpoints());
    market.ClearRequests();
    if (!RunItemSearch(arguments)) {
        state.SkipWithError("the item search run failed");
        return;
    }
    auto const addresses = AddressesRequested(market);
    bench::PairedTimes times;
    bool every_run_finished = true;
    for (auto _ : state)
        times.Measure([&] { every_run_finished = RunItemSearch(arguments) && every_run_finished; },
            [&] {
                for (auto const& address : addresses)
                    benchmark::DoNotOptimize(bench::BareCurlGet(address));
            });
    if (!every_run_finished) {
        state.SkipWithError("an item search run failed");
        return;
    }
    double const requests = static_cast<double>(addresses.size());
    state.counters["requests"] = requests;
    state.counters["run_req_per_s"] = requests / bench::Median(times.first);
    state.counters["curl_req_per_s"] = requests / bench::Median(times.second);
    state.counters["ratio"] = bench::Median(times.second) / bench::Median(times.first);
}

BENCHMARK(BM_ItemSearchRunOverBareCurlLoop)->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace velmora
