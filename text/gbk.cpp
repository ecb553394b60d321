#include "text/gbk.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace velmora {

namespace {

constexpr char const* GbkCodePage = "CP936";
constexpr std::string_view Utf8ReplacementCharacter = "\xEF\xBF\xBD";
constexpr char GbkReplacementCharacter = '?';

// One converter per direction and thread: iconv descriptors carry state and are not
// safe to share between threads.
class Converter {
public:
    Converter(char const* to, char const* from)
        : m_descriptor(iconv_open(to, from))
    {
        if (m_descriptor == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    ~Converter() { iconv_close(m_descriptor); }
    Converter(Converter const&) = delete;
    Converter& operator=(Converter const&) = delete;

    // Converts input; on a sequence it cannot convert it writes the replacement and skips
    // skip_invalid(remaining input) bytes.
    template<typename SkipInvalid>
    std::string Convert(std::string_view input, std::string_view replacement, SkipInvalid skip_invalid)
    {
        std::string output;
        output.reserve(input.size() * 3 / 2 + 16);
        iconv(m_descriptor, nullptr, nullptr, nullptr, nullptr);

        char* in = const_cast<char*>(input.data());
        std::size_t in_left = input.size();
        char buffer[4096];
        while (in_left > 0) {
            char* out = buffer;
            std::size_t out_left = sizeof buffer;
            std::size_t result = iconv(m_descriptor, &in, &in_left, &out, &out_left);
            output.append(buffer, out - buffer);
            if (result != static_cast<std::size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: an unconvertible or truncated sequence.
            output.append(replacement);
            std::size_t skip = std::min(in_left, skip_invalid(std::string_view(in, in_left)));
            in += skip;
            in_left -= skip;
            iconv(m_descriptor, nullptr, nullptr, nullptr, nullptr);
        }
        return output;
    }

private:
    iconv_t m_descriptor;
};

std::size_t Utf8SequenceLength(std::string_view rest)
{
    auto lead = static_cast<unsigned char>(rest.front());
    std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    // Skip only the continuation bytes that are really there, so a broken sequence
    // does not swallow the next character.
    std::size_t present = 1;
    while (present < length && present < rest.size()
        && (static_cast<unsigned char>(rest[present]) & 0xC0) == 0x80)
        ++present;
    return present;
}

}

std::string GbkToUtf8(std::string_view gbk)
{
    thread_local Converter converter("UTF-8", GbkCodePage);
    return converter.Convert(gbk, Utf8ReplacementCharacter, [](std::string_view) { return std::size_t {1}; });
}

Text Utf8ToGbk(std::string_view utf8)
{
    thread_local Converter converter(GbkCodePage, "UTF-8");
    return converter.Convert(utf8, std::string_view(&GbkReplacementCharacter, 1), Utf8SequenceLength);
}

}
