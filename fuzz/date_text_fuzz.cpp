// A date as the date window reads it from the time panel or a credit page. A text that reads
// as a date reads as the same date when written again in the plainest form.
#include "fuzz/fuzz_check.h"
#include "sellers/date_text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    using namespace velmora;
    using namespace std::chrono;
    std::string_view const text(reinterpret_cast<char const*>(data), size);
    DateTime const date = ReadDateText(text);
    VELMORA_FUZZ_CHECK(std::isfinite(DaysBetween(UnreadableDate, date)));
    if (date == UnreadableDate)
        return 0;

    constexpr int LatestYear = 9999;
    sys_days const day = floor<days>(date);
    year_month_day const calendar {day};
    hh_mm_ss const time {date - day};
    VELMORA_FUZZ_CHECK(calendar.ok() && int(calendar.year()) <= LatestYear);
    VELMORA_FUZZ_CHECK(date > UnreadableDate);

    char written[sizeof "9999-12-31 23:59:59"];
    std::snprintf(written, sizeof written, "%04d-%02u-%02u %02lld:%02lld:%02lld", int(calendar.year()),
        unsigned(calendar.month()), unsigned(calendar.day()), static_cast<long long>(time.hours().count()),
        static_cast<long long>(time.minutes().count()), static_cast<long long>(time.seconds().count()));
    VELMORA_FUZZ_CHECK(ReadDateText(written) == date);
    return 0;
}
