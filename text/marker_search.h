// Marker searches over GBK text. Positions are 0-based byte positions; a match may begin
// only at a character boundary, counted from the position the search starts at.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace velmora {

// The first occurrence of marker at or after from, comparing bytes exactly. An empty
// marker is never found.
std::optional<std::size_t> FindMarker(std::string_view text, std::string_view marker, std::size_t from = 0);

inline bool ContainsMarker(std::string_view text, std::string_view marker)
{
    return FindMarker(text, marker).has_value();
}

// As FindMarker, with ASCII letters compared without regard to case.
std::optional<std::size_t> FindMarkerIgnoringCase(
    std::string_view text, std::string_view marker, std::size_t from = 0);

// The last occurrence, letter case ignored, that lies wholly within the first limit bytes.
std::optional<std::size_t> FindLastMarkerIgnoringCase(
    std::string_view text, std::string_view marker, std::size_t limit);

// The block from the first start marker up to, not including, the first end marker after it;
// empty when either is missing.
std::string_view BlockBetween(
    std::string_view text, std::string_view start_marker, std::string_view end_marker);

}
