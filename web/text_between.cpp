#include "web/text_between.h"

#include "text/cut.h"
#include "text/marker_search.h"

namespace velmora {

Text TextBetween(std::string_view text, std::string_view start_marker, std::string_view end_marker,
    SearchDirection direction, long start_position)
{
    if (text.empty() || start_marker.empty() || end_marker.empty())
        return {};

    std::optional<std::size_t> start;
    std::optional<std::size_t> end;
    if (direction == SearchDirection::Forward) {
        std::size_t from = start_position < 1 ? 0 : static_cast<std::size_t>(start_position - 1);
        start = FindMarkerIgnoringCase(text, start_marker, from);
        if (!start)
            return {};
        end = FindMarkerIgnoringCase(text, end_marker, *start + start_marker.size());
    } else {
        end = FindLastMarkerIgnoringCase(text, end_marker, text.size());
        if (!end)
            return {};
        start = FindLastMarkerIgnoringCase(text, start_marker, *end);
        if (!start || *start + start_marker.size() > *end)
            return {};
    }
    if (!end)
        return {};
    return CutBetween(text, *start + start_marker.size(), *end);
}

}
