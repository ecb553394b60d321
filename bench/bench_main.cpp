// velmora-bench: runs the benchmarks as Google Benchmark does, then prints one table of the
// figures — the median of the repetitions (or the single run) of every benchmark that reports
// counters, with its goal where it has one.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// Goals of the figures that have one, by the benchmark's name up to its first "/".
std::map<std::string, std::string> const Goals = {
    {"BM_ItemSearchRunOverBareCurlLoop", "ratio >= 0.8"},
    {"BM_ShopBuyerRunPeakMemory", "ratio <= 1.5"},
    {"BM_FetchPageOverBareCurl", "ratio <= 1.3"},
    {"BM_GbkAwareOverMemmem", "ratio <= 2"},
    {"BM_ReadUrlLongestEventGap", "gap <= 50 ms"},
};

struct Figure {
    std::string name;
    benchmark::UserCounters counters;
};

// Shows every run as the console reporter does and keeps the figures for the table.
class TableReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(std::vector<Run> const& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (auto const& run : runs) {
            bool const is_summary
                = run.run_type == Run::RT_Aggregate ? run.aggregate_name == "median" : run.repetitions <= 1;
            if (is_summary && !run.error_occurred && !run.counters.empty())
                m_figures.push_back({run.run_name.str(), run.counters});
        }
    }

    void PrintTable() const
    {
        std::printf("\n%-52s %-64s %s\n", "figure (median)", "counters", "goal");
        for (auto const& figure : m_figures) {
            std::string counters;
            for (auto const& [name, counter] : figure.counters) {
                char value[64];
                std::snprintf(value, sizeof value, "%s %.4g  ", name.c_str(), counter.value);
                counters += value;
            }
            auto const goal = Goals.find(figure.name.substr(0, figure.name.find('/')));
            std::printf("%-52s %-64s %s\n", figure.name.c_str(), counters.c_str(),
                goal == Goals.end() ? "" : goal->second.c_str());
        }
    }

private:
    std::vector<Figure> m_figures;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintTable();
    benchmark::Shutdown();
    return 0;
}
