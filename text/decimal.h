// Numbers written as decimal text.
#pragma once

#include "text/gbk.h"

#include <cstdint>
#include <string_view>

namespace velmora {

// The decimal text of a number, without leading zeros.
Text DecimalText(std::int64_t number);

// Reads a text as a decimal integer by its leading digits, after an optional sign: "12页"
// reads as 12, "-3" as -3, and a text that does not begin with a digit (the empty text
// included) as 0. Values beyond the 64-bit range stop at its bounds.
std::int64_t ReadLeadingInteger(std::string_view text);

}
