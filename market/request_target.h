// The path and the query values of a request target as the marketplace reads them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora::market {

class RequestTarget {
public:
    // target: the path and query exactly as they stand in the request line.
    explicit RequestTarget(std::string_view target);

    std::string const& Path() const { return m_path; } // percent escapes decoded
    std::string const& Query() const { return m_query; } // raw, without the "?"

    // The first value of key, decoded: %XX becomes its byte, "+" a blank, and every other
    // byte (also bytes above 0x7F sent unescaped) stands for itself. None when absent.
    std::optional<std::string> Value(std::string_view key) const;
    std::string ValueOr(std::string_view key, std::string_view fallback) const;
    bool Has(std::string_view key) const { return Value(key).has_value(); }
    // The value's leading decimal digits as a count or offset, kept within 0 to 2^24;
    // fallback when the key is absent.
    int Number(std::string_view key, int fallback) const;

private:
    std::string m_path;
    std::string m_query;
    std::vector<std::pair<std::string, std::string>> m_values;
};

// Decodes %XX escapes; a "%" not followed by two hex digits stays as it is.
std::string PercentDecode(std::string_view text, bool plus_is_blank);

} // namespace velmora::market
