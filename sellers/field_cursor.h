// A cursor over one result entry that moves past a marker only when it finds it, so a
// missing marker leaves the following fields to be searched from the last point found.
#pragma once

#include "text/gbk.h"

#include <cstddef>
#include <string_view>

namespace velmora {

// One field of an entry: it begins begin_offset bytes after the first byte of its start
// marker and ends right before its end marker, or dropped bytes earlier (the closing quote
// of an attribute).
struct FieldRule {
    std::string_view start_marker;
    std::size_t begin_offset;
    std::string_view end_marker;
    std::size_t dropped;
};

class FieldCursor {
public:
    explicit FieldCursor(std::string_view entry)
        : m_entry(entry)
    {
    }

    // Finds marker from the cursor and moves to offset bytes after its first byte; false,
    // and the cursor stays, when there is none.
    bool MoveTo(std::string_view marker, std::size_t offset);

    // Finds the field's start marker from the cursor and moves to the field's beginning.
    // Empty, with the cursor unmoved, when the start marker is missing; empty, with the
    // cursor moved, when the end marker is missing or leaves nothing between.
    Text Cut(FieldRule const& rule);

    std::size_t Position() const { return m_position; }

private:
    std::string_view m_entry;
    std::size_t m_position {0};
};

}
