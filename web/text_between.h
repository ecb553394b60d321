// Cutting the text between two markers, letter case ignored.
#pragma once

#include "text/gbk.h"

#include <string_view>

namespace velmora {

enum class SearchDirection {
    Forward,
    FromTheEnd,
};

// The bytes strictly between start_marker and the end_marker after it; the empty text when
// either is missing or a marker is empty. Forward searches from start_position (1-based, a
// value below 1 counts as 1); FromTheEnd takes the last end marker and the last start marker
// that lies wholly before it.
Text TextBetween(std::string_view text, std::string_view start_marker, std::string_view end_marker,
    SearchDirection direction = SearchDirection::Forward, long start_position = 1);

}
