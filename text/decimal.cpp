#include "text/decimal.h"

#include <limits>
#include <string>

namespace velmora {

Text DecimalText(std::int64_t number)
{
    return std::to_string(number);
}

std::int64_t ReadLeadingInteger(std::string_view text)
{
    std::size_t position = 0;
    bool negative = false;
    if (position < text.size() && (text[position] == '-' || text[position] == '+')) {
        negative = text[position] == '-';
        ++position;
    }
    constexpr auto Largest = std::numeric_limits<std::int64_t>::max();
    std::int64_t magnitude = 0;
    for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position) {
        int digit = text[position] - '0';
        if (magnitude > (Largest - digit) / 10) {
            magnitude = Largest;
            while (position < text.size() && text[position] >= '0' && text[position] <= '9')
                ++position;
            break;
        }
        magnitude = magnitude * 10 + digit;
    }
    return negative ? -magnitude : magnitude;
}

}
