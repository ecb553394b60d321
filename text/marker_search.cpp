#include "text/marker_search.h"

#include "text/characters.h"
#include "text/letter_case.h"

#include <cstring>

namespace velmora {

namespace {

// Is candidate a character boundary of the text read character by character from start?
// The walk begins at the nearest byte that is certainly a boundary: start itself, or the
// byte after the last single-byte anchor before candidate. In markup that is a few bytes.
bool IsBoundary(std::string_view text, std::size_t start, std::size_t candidate)
{
    std::size_t anchor = candidate;
    while (anchor > start && !IsSingleByteAnchor(static_cast<unsigned char>(text[anchor - 1])))
        --anchor;
    std::size_t position = anchor;
    while (position < candidate)
        position += CharacterLength(text, position);
    return position == candidate;
}

bool MatchesIgnoringCase(std::string_view text, std::size_t position, std::string_view marker)
{
    for (std::size_t i = 0; i < marker.size(); ++i) {
        if (AsciiLower(text[position + i]) != AsciiLower(marker[i]))
            return false;
    }
    return true;
}

}

std::optional<std::size_t> FindMarker(std::string_view text, std::string_view marker, std::size_t from)
{
    if (marker.empty() || from >= text.size() || marker.size() > text.size() - from)
        return std::nullopt;
    std::size_t position = from;
    while (position + marker.size() <= text.size()) {
        auto const* found = static_cast<char const*>(
            memmem(text.data() + position, text.size() - position, marker.data(), marker.size()));
        if (!found)
            return std::nullopt;
        std::size_t candidate = found - text.data();
        if (IsBoundary(text, from, candidate))
            return candidate;
        // The candidate began on a trail byte; the byte after it is the next boundary.
        position = candidate + 1;
    }
    return std::nullopt;
}

std::optional<std::size_t> FindMarkerIgnoringCase(
    std::string_view text, std::string_view marker, std::size_t from)
{
    if (marker.empty())
        return std::nullopt;
    for (std::size_t position = from; position + marker.size() <= text.size();
         position += CharacterLength(text, position)) {
        if (MatchesIgnoringCase(text, position, marker))
            return position;
    }
    return std::nullopt;
}

std::optional<std::size_t> FindLastMarkerIgnoringCase(
    std::string_view text, std::string_view marker, std::size_t limit)
{
    if (marker.empty())
        return std::nullopt;
    std::size_t end = std::min(limit, text.size());
    std::optional<std::size_t> last;
    for (std::size_t position = 0; position + marker.size() <= end;
         position += CharacterLength(text, position)) {
        if (MatchesIgnoringCase(text, position, marker))
            last = position;
    }
    return last;
}

std::string_view BlockBetween(
    std::string_view text, std::string_view start_marker, std::string_view end_marker)
{
    auto start = FindMarker(text, start_marker);
    if (!start)
        return {};
    auto end = FindMarker(text, end_marker, *start);
    if (!end)
        return {};
    return text.substr(*start, *end - *start);
}

}
