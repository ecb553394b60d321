#include "sellers/field_cursor.h"

#include "text/cut.h"
#include "text/marker_search.h"

namespace velmora {

bool FieldCursor::MoveTo(std::string_view marker, std::size_t offset)
{
    auto found = FindMarker(m_entry, marker, m_position);
    if (!found)
        return false;
    m_position = *found + offset;
    return true;
}

Text FieldCursor::Cut(FieldRule const& rule)
{
    if (!MoveTo(rule.start_marker, rule.begin_offset))
        return {};
    auto end = FindMarker(m_entry, rule.end_marker, m_position);
    if (!end || *end < m_position + rule.dropped)
        return {};
    return CutBetween(m_entry, m_position, *end - rule.dropped);
}

}
