#include "text/spaces.h"

#include "text/characters.h"

#include <cstring>

namespace velmora {

namespace {

constexpr char Blank = ' ';
constexpr std::string_view FullWidthSpace = "\xA1\xA1";

// The length of the space character at position, or 0 when the character there is no space.
std::size_t SpaceLengthAt(std::string_view text, std::size_t position, std::size_t character_length)
{
    if (character_length == 1)
        return text[position] == Blank ? 1 : 0;
    return text.substr(position, 2) == FullWidthSpace ? 2 : 0;
}

}

Text RemoveSpaces(std::string_view text)
{
    Text result;
    result.reserve(text.size());
    std::size_t position = 0;
    while (position < text.size()) {
        // Copy runs of plain ASCII in one go; only a byte of 0x80 or above or a blank needs
        // a closer look.
        std::size_t run = position;
        while (run < text.size() && static_cast<unsigned char>(text[run]) < 0x80 && text[run] != Blank)
            ++run;
        result.append(text.data() + position, run - position);
        position = run;
        if (position >= text.size())
            break;
        std::size_t length = CharacterLength(text, position);
        if (SpaceLengthAt(text, position, length) == 0)
            result.append(text.data() + position, length);
        position += length;
    }
    return result;
}

Text TrimSpaces(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = 0;
    bool seen_content = false;
    std::size_t position = 0;
    while (position < text.size()) {
        std::size_t length = CharacterLength(text, position);
        if (SpaceLengthAt(text, position, length) == 0) {
            if (!seen_content)
                begin = position;
            seen_content = true;
            end = position + length;
        }
        position += length;
    }
    if (!seen_content)
        return {};
    return Text(text.substr(begin, end - begin));
}

}
