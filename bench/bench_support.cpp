#include "bench/bench_support.h"

#include <algorithm>
#include <curl/curl.h>

namespace velmora::bench {

double Median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

void PairedTimes::Measure(
    std::function<void()> const& first_operation, std::function<void()> const& second_operation)
{
    using Clock = std::chrono::steady_clock;
    auto time = [](std::function<void()> const& operation, std::vector<double>& times) {
        auto const start = Clock::now();
        operation();
        times.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    };
    if (m_first_leads) {
        time(first_operation, first);
        time(second_operation, second);
    } else {
        time(second_operation, second);
        time(first_operation, first);
    }
    m_first_leads = !m_first_leads;
}

namespace {

std::size_t AppendBody(char* data, std::size_t size, std::size_t count, void* body)
{
    static_cast<std::string*>(body)->append(data, size * count);
    return size * count;
}

} // namespace

std::string BareCurlGet(std::string const& url)
{
    std::string body;
    CURL* handle = curl_easy_init();
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_PROXY, "");
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &AppendBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &body);
    curl_easy_perform(handle);
    curl_easy_cleanup(handle);
    return body;
}

} // namespace velmora::bench
