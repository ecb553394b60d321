// Character boundaries of GBK text.
#pragma once

#include <cstddef>
#include <string_view>

namespace velmora {

// A lead byte starts a double-byte character when a trail byte follows it.
constexpr bool IsLeadByte(unsigned char byte)
{
    return byte >= 0x81 && byte <= 0xFE;
}
constexpr bool IsTrailByte(unsigned char byte)
{
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

// Every byte below 0x40 is a character of its own: no trail byte is that small. The byte
// after one is therefore always a character boundary.
constexpr bool IsSingleByteAnchor(unsigned char byte)
{
    return byte < 0x40;
}

// The number of bytes (1 or 2) of the character that starts at position.
inline std::size_t CharacterLength(std::string_view text, std::size_t position)
{
    if (IsLeadByte(static_cast<unsigned char>(text[position])) && position + 1 < text.size()
        && IsTrailByte(static_cast<unsigned char>(text[position + 1])))
        return 2;
    return 1;
}

}
