// GBK (code page 936) text: the byte strings every part of Velmora works on.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// A text is a string of GBK bytes. An empty text and a text never set are the same value.
using Text = std::string;

// Converts GBK bytes to UTF-8. A byte sequence that is not GBK becomes U+FFFD, so nothing
// of the surrounding text is lost.
std::string GbkToUtf8(std::string_view gbk);

// Converts UTF-8 to GBK bytes. A character GBK cannot hold, or a broken UTF-8 sequence,
// becomes "?".
Text Utf8ToGbk(std::string_view utf8);

// A UTF-8 string literal carried as a template argument, so that each literal is converted
// to GBK once per program run.
template<std::size_t Size> struct Utf8Literal {
    char bytes[Size] {};
    constexpr Utf8Literal(char const (&literal)[Size]) { std::copy_n(literal, Size, bytes); }
    constexpr std::string_view View() const { return {bytes, Size - 1}; }
};

// "开始"_gbk is the GBK text of a literal written in UTF-8 in the source.
template<Utf8Literal literal> Text const& operator""_gbk()
{
    static Text const converted = Utf8ToGbk(literal.View());
    return converted;
}

}
