// The cost of FetchPage's worker thread and channel against a bare libcurl GET with a fresh
// handle, both on one loopback server; and how long the window would wait for its events while
// ReadUrl reads a large page that arrives in slow pieces.
#include "bench/bench_support.h"
#include "web/event_pump.h"
#include "web/fetch_page.h"
#include "web/read_url.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <httplib.h>
#include <thread>
#include <vector>

namespace velmora {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// A status image of the messenger is some 4 KB; a results page some 64 KB.
constexpr std::size_t StatusImageSize = 4 * 1024;
constexpr std::size_t ResultsPageSize = 64 * 1024;
constexpr std::size_t LargePageSize = 5 * 1024 * 1024;
constexpr std::size_t SlowPieces = 80; // of 64 KB each
constexpr auto PausePerPiece = 5ms;

// One loopback server for the whole run, on a port the system picks.
class BenchServer {
public:
    BenchServer()
    {
        m_server.set_tcp_nodelay(true);
        m_server.Get("/page", [](httplib::Request const& request, httplib::Response& response) {
            response.set_content(std::string(std::stoul(request.get_param_value("size")), 'p'), "text/html");
        });
        m_server.Get("/slow-large", [](httplib::Request const&, httplib::Response& response) {
            response.set_chunked_content_provider(
                "text/html", [](std::size_t offset, httplib::DataSink& sink) {
                    static std::string const piece(LargePageSize / SlowPieces, 's');
                    if (offset >= piece.size() * SlowPieces) {
                        sink.done();
                        return true;
                    }
                    std::this_thread::sleep_for(PausePerPiece);
                    return sink.write(piece.data(), piece.size());
                });
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        while (!m_server.is_running())
            std::this_thread::sleep_for(1ms);
    }
    ~BenchServer()
    {
        m_server.stop();
        m_thread.join();
    }

    std::string Url(std::string_view path) const
    {
        return "http://127.0.0.1:" + std::to_string(m_port) + std::string(path);
    }

private:
    httplib::Server m_server;
    std::thread m_thread;
    int m_port {0};
};

BenchServer& Server()
{
    static BenchServer server;
    return server;
}

// Both requests timed alternately in one run, each first in every other pair, so that both
// see the same machine.
void BM_FetchPageOverBareCurl(benchmark::State& state)
{
    auto size = static_cast<std::size_t>(state.range(0));
    std::string url = Server().Url("/page?size=" + std::to_string(size));
    WindowlessEventPump pump;
    bench::PairedTimes times;
    std::size_t fetched = 0;
    std::size_t curled = 0;
    for (auto _ : state) {
        times.Measure(
            [&] { fetched = FetchPage(pump, url).size(); }, [&] { curled = bench::BareCurlGet(url).size(); });
        if (fetched != size || curled != size) {
            state.SkipWithError("a request failed");
            return;
        }
    }
    constexpr double MicrosecondsPerSecond = 1e6;
    state.counters["fetch_page_us"] = bench::Median(times.first) * MicrosecondsPerSecond;
    state.counters["bare_curl_us"] = bench::Median(times.second) * MicrosecondsPerSecond;
    state.counters["ratio"] = times.MedianRatio();
}

// A pump that measures the longest span between two runs of the window's events.
class GapPump final : public EventPump {
public:
    void RunPendingEvents() override
    {
        auto now = Clock::now();
        if (m_runs > 0)
            m_longest = std::max(m_longest, now - m_last);
        m_last = now;
        ++m_runs;
    }
    WakeReason WaitForSignalOrEvent(CompletionSignal& signal, std::chrono::milliseconds limit) override
    {
        return signal.WaitFor(limit) ? WakeReason::Signalled : WakeReason::TimedOut;
    }
    Clock::duration Longest() const { return m_longest; }
    long Runs() const { return m_runs; }

private:
    long m_runs {0};
    Clock::time_point m_last {};
    Clock::duration m_longest {};
};

void BM_ReadUrlLongestEventGap(benchmark::State& state)
{
    std::vector<double> gaps;
    long runs = 0;
    for (auto _ : state) {
        GapPump pump;
        Text url = Server().Url("/slow-large");
        std::string page = ReadUrl(pump, url);
        if (page.size() != LargePageSize) {
            state.SkipWithError("the page did not arrive whole");
            return;
        }
        gaps.push_back(std::chrono::duration<double, std::milli>(pump.Longest()).count());
        runs = pump.Runs();
    }
    state.counters["longest_gap_ms"] = *std::max_element(gaps.begin(), gaps.end());
    state.counters["median_longest_gap_ms"] = bench::Median(gaps);
    state.counters["event_runs_per_read"] = static_cast<double>(runs);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(LargePageSize));
}

BENCHMARK(BM_FetchPageOverBareCurl)
    ->Arg(StatusImageSize)
    ->Arg(ResultsPageSize)
    ->Iterations(400)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadUrlLongestEventGap)->Iterations(5)->Unit(benchmark::kMillisecond);

}
}
