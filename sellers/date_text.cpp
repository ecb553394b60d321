#include "sellers/date_text.h"

#include "text/gbk.h"
#include "text/spaces.h"

#include <optional>

namespace velmora {

namespace {

using namespace std::chrono;

constexpr int EarliestYear = 100;
constexpr int LatestYear = 9999;

constexpr std::string_view FullWidthSpace = "\xA1\xA1";

bool IsLineSpace(char byte)
{
    return byte == '\t' || byte == '\r' || byte == '\n';
}

// The text without blanks, full-width spaces, tabs and line breaks at either end: a date cut
// from a credit page may carry the page's line layout around it.
Text TrimAround(std::string_view text)
{
    Text trimmed(text);
    for (;;) {
        std::size_t size_before = trimmed.size();
        while (!trimmed.empty() && IsLineSpace(trimmed.front()))
            trimmed.erase(0, 1);
        while (!trimmed.empty() && IsLineSpace(trimmed.back()))
            trimmed.pop_back();
        trimmed = TrimSpaces(trimmed);
        if (trimmed.size() == size_before)
            return trimmed;
    }
}

// A reader that moves past what it finds and stays where it is otherwise.
class DateReader {
public:
    explicit DateReader(std::string_view text)
        : m_rest(text)
    {
    }

    // Between 1 and max_digits decimal digits.
    std::optional<int> Number(std::size_t max_digits)
    {
        std::size_t count = 0;
        int value = 0;
        while (count < m_rest.size() && count < max_digits && m_rest[count] >= '0' && m_rest[count] <= '9') {
            value = value * 10 + (m_rest[count] - '0');
            ++count;
        }
        if (count == 0 || (count < m_rest.size() && m_rest[count] >= '0' && m_rest[count] <= '9'))
            return std::nullopt;
        m_rest.remove_prefix(count);
        return value;
    }

    bool Take(std::string_view expected)
    {
        if (expected.empty() || !m_rest.starts_with(expected))
            return false;
        m_rest.remove_prefix(expected.size());
        return true;
    }

    void SkipBlanks()
    {
        while (Take(" ") || Take("\t") || Take(FullWidthSpace)) { }
    }

    bool AtEnd() const { return m_rest.empty(); }

private:
    std::string_view m_rest;
};

std::optional<seconds> ReadTimeOfDay(DateReader& reader)
{
    auto hour = reader.Number(2);
    if (!hour || !reader.Take(":"))
        return std::nullopt;
    auto minute = reader.Number(2);
    if (!minute)
        return std::nullopt;
    int second = 0;
    if (reader.Take(":")) {
        auto read_second = reader.Number(2);
        if (!read_second)
            return std::nullopt;
        second = *read_second;
    }
    if (*hour > 23 || *minute > 59 || second > 59)
        return std::nullopt;
    return hours {*hour} + minutes {*minute} + seconds {second};
}

std::optional<DateTime> ReadDate(std::string_view text)
{
    Text const trimmed = TrimAround(text);
    DateReader reader(trimmed);
    auto year_number = reader.Number(4);
    if (!year_number)
        return std::nullopt;

    // The separator after the year decides the one after the month.
    std::string_view month_separator;
    std::string_view day_end;
    if (reader.Take("年"_gbk)) {
        month_separator = "月"_gbk;
        day_end = "日"_gbk;
    } else {
        for (std::string_view separator : {"-", "/", "."}) {
            if (reader.Take(separator)) {
                month_separator = separator;
                break;
            }
        }
        if (month_separator.empty())
            return std::nullopt;
    }
    auto month_number = reader.Number(2);
    if (!month_number || !reader.Take(month_separator))
        return std::nullopt;
    auto day_number = reader.Number(2);
    if (!day_number || (!day_end.empty() && !reader.Take(day_end)))
        return std::nullopt;

    if (*year_number < EarliestYear || *year_number > LatestYear)
        return std::nullopt;
    year_month_day date {year {*year_number}, month {static_cast<unsigned>(*month_number)},
        day {static_cast<unsigned>(*day_number)}};
    if (!date.ok())
        return std::nullopt;

    seconds time_of_day {0};
    reader.SkipBlanks();
    if (!reader.AtEnd()) {
        auto read_time = ReadTimeOfDay(reader);
        if (!read_time || !reader.AtEnd())
            return std::nullopt;
        time_of_day = *read_time;
    }
    return DateTime {sys_days {date}} + time_of_day;
}

}

DateTime ReadDateText(std::string_view text)
{
    return ReadDate(text).value_or(UnreadableDate);
}

double DaysBetween(DateTime earlier, DateTime later)
{
    return duration<double, days::period> {later - earlier}.count();
}

}
