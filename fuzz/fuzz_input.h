// The layout of a fuzz input that carries several arguments: a byte of switches, then texts
// that each end at a zero byte, then the rest. The seed writer writes inputs the same way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace velmora::fuzz {

constexpr char FieldEnd = '\0';

class FuzzInput {
public:
    FuzzInput(std::uint8_t const* data, std::size_t size)
        : m_rest(reinterpret_cast<char const*>(data), size)
    {
    }

    // The first byte, or 0 when the input has run out.
    std::uint8_t TakeByte()
    {
        if (m_rest.empty())
            return 0;
        auto byte = static_cast<std::uint8_t>(m_rest.front());
        m_rest.remove_prefix(1);
        return byte;
    }

    // The text up to the next zero byte, which is dropped; the whole rest when there is none.
    std::string_view TakeField()
    {
        std::size_t end = m_rest.find(FieldEnd);
        std::string_view field = m_rest.substr(0, end);
        m_rest.remove_prefix(end == std::string_view::npos ? m_rest.size() : end + 1);
        return field;
    }

    std::string_view Rest() const { return m_rest; }

private:
    std::string_view m_rest;
};

// Writes the input that FuzzInput reads back as switches, the fields and the rest.
inline std::string JoinInput(
    std::uint8_t switches, std::initializer_list<std::string_view> fields, std::string_view rest)
{
    std::string input(1, static_cast<char>(switches));
    for (std::string_view field : fields) {
        input += field;
        input += FieldEnd;
    }
    input += rest;
    return input;
}

}
