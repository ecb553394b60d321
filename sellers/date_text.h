// Dates written as text, as the time panel's edit boxes and the credit pages carry them.
#pragma once

#include <chrono>
#include <string_view>

namespace velmora {

// A calendar date with a time of day, to the second.
using DateTime = std::chrono::sys_seconds;

// What every text that cannot be read as a date stands for: 1 January of the year 100,
// earlier than any real date.
constexpr DateTime UnreadableDate = std::chrono::sys_days {std::chrono::year {100} / 1 / 1};

// Reads year, month and day in that order, separated by "-", "/" or "." or written with
// 年, 月 and 日 (GBK), optionally followed by a time of day "H:MM" or "H:MM:SS". Blanks,
// full-width spaces, tabs and line breaks around the text are ignored. Anything else, the
// empty text included, gives UnreadableDate.
DateTime ReadDateText(std::string_view text);

// later − earlier in days; a time of day gives fractions.
double DaysBetween(DateTime earlier, DateTime later);

}
