// Cutting pieces out of a text with the bounds rules every page parser relies on.
#pragma once

#include "text/gbk.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace velmora {

// length bytes from start (0-based). A start before the text or at or beyond its end, or a
// length below 1, gives the empty text; a length past the end stops at the end.
Text Cut(std::string_view text, std::int64_t start, std::int64_t length);

// The bytes from position from up to, not including, position to. Empty when from is
// missing or at or beyond the end, or when to is missing or not after from; a to beyond the
// end stops at the end.
Text CutBetween(std::string_view text, std::optional<std::size_t> from, std::optional<std::size_t> to);

}
