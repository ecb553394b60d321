// What the benchmarks share: two operations timed alternately in one run, medians, and the
// bare libcurl GET that stands as the baseline of every fetch.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace velmora::bench {

// The middle value; the upper one of the two middles for an even count. Needs a value.
double Median(std::vector<double> values);

// The seconds each call of two operations took, measured in pairs and each first in every
// other pair, so that both see the same machine.
struct PairedTimes {
    std::vector<double> first;
    std::vector<double> second;

    void Measure(std::function<void()> const& first_operation, std::function<void()> const& second_operation);
    double MedianRatio() const { return Median(first) / Median(second); }

private:
    bool m_first_leads {true};
};

// What one GET costs with nothing around it: a fresh handle, no proxy, the body kept.
std::string BareCurlGet(std::string const& url);

} // namespace velmora::bench
