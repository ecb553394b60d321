#include "market/request_target.h"

#include "text/decimal.h"

#include <algorithm>

namespace velmora::market {

namespace {

constexpr long long LargestNumber = 1 << 24;

int HexValue(char digit)
{
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    if (digit >= 'a' && digit <= 'f')
        return digit - 'a' + 10;
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    return -1;
}

} // namespace

std::string PercentDecode(std::string_view text, bool plus_is_blank)
{
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char const byte = text[i];
        if (byte == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
            decoded.push_back(static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
            i += 2;
        } else if (byte == '+' && plus_is_blank) {
            decoded.push_back(' ');
        } else {
            decoded.push_back(byte);
        }
    }
    return decoded;
}

RequestTarget::RequestTarget(std::string_view target)
{
    // A fragment never reaches a server, but a hand-made request may still carry one.
    if (auto hash = target.find('#'); hash != std::string_view::npos)
        target = target.substr(0, hash);
    auto const question = target.find('?');
    m_path = PercentDecode(target.substr(0, question), false);
    if (question == std::string_view::npos)
        return;
    m_query = std::string(target.substr(question + 1));
    std::string_view rest = m_query;
    while (!rest.empty()) {
        auto const amp = rest.find('&');
        std::string_view const pair = rest.substr(0, amp);
        rest = amp == std::string_view::npos ? std::string_view {} : rest.substr(amp + 1);
        if (pair.empty())
            continue;
        auto const equals = pair.find('=');
        std::string key = PercentDecode(pair.substr(0, equals), true);
        std::string value = equals == std::string_view::npos ? std::string {}
                                                             : PercentDecode(pair.substr(equals + 1), true);
        m_values.emplace_back(std::move(key), std::move(value));
    }
}

std::optional<std::string> RequestTarget::Value(std::string_view key) const
{
    for (auto const& [name, value] : m_values) {
        if (name == key)
            return value;
    }
    return std::nullopt;
}

std::string RequestTarget::ValueOr(std::string_view key, std::string_view fallback) const
{
    auto value = Value(key);
    return value ? *value : std::string(fallback);
}

} // namespace velmora::market

namespace velmora::market {

int RequestTarget::Number(std::string_view key, int fallback) const
{
    auto value = Value(key);
    if (!value)
        return fallback;
    return static_cast<int>(std::clamp<long long>(ReadLeadingInteger(*value), 0, LargestNumber));
}

} // namespace velmora::market
