// ASCII letter case, as the marketplace's header names and address schemes need it.
#pragma once

#include <string_view>

namespace velmora {

constexpr char AsciiLower(char byte)
{
    return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
}

// Whether text begins with prefix, ASCII letters compared without regard to case.
constexpr bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (AsciiLower(text[i]) != AsciiLower(prefix[i]))
            return false;
    }
    return true;
}

}
