// Decoding percent escapes, to check that an encoding keeps every byte it is given.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora::fuzz {

inline std::optional<int> UpperHexValue(char digit)
{
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    return std::nullopt;
}

// %XX (upper-case hex) becomes its byte; every other byte stands for itself. A "%" without
// two hex digits after it gives nothing: no encoding writes one.
inline std::optional<std::string> PercentDecode(std::string_view encoded)
{
    std::string decoded;
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        if (encoded[i] != '%') {
            decoded.push_back(encoded[i]);
            continue;
        }
        if (encoded.size() - i < 3)
            return std::nullopt;
        auto high = UpperHexValue(encoded[i + 1]);
        auto low = UpperHexValue(encoded[i + 2]);
        if (!high || !low)
            return std::nullopt;
        decoded.push_back(static_cast<char>(*high * 16 + *low));
        i += 2;
    }
    return decoded;
}

// The bytes an address may carry after the GBK encoding: letters, digits, * , - . @ _ and
// the escapes.
inline bool MayStandInGbkAddress(char byte)
{
    return byte == '%' || byte == '*' || byte == ',' || byte == '-' || byte == '.' || byte == '@'
        || byte == '_' || (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z')
        || (byte >= 'a' && byte <= 'z');
}

}
