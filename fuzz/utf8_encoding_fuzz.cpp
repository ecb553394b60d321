// The messenger's percent-encoding of a GBK nickname as UTF-8, in both of its escapings.
#include "fuzz/fuzz_check.h"
#include "fuzz/percent_decode.h"
#include "text/gbk.h"
#include "web/url_codec.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

constexpr std::string_view HttpPrefix = "http://";
constexpr std::string_view EscapedHttpPrefix = "%68%74%74%70%3A%2F%2F";

// Every escaped "http://" that the encoding wrote back as itself, escaped again.
std::string EscapeHttpPrefixes(std::string text)
{
    for (std::size_t at = text.find(HttpPrefix); at != std::string::npos; at = text.find(HttpPrefix, at)) {
        text.replace(at, HttpPrefix.size(), EscapedHttpPrefix);
        at += EscapedHttpPrefix.size();
    }
    return text;
}

}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    using namespace velmora;
    std::string_view const nickname(reinterpret_cast<char const*>(data), size);
    UrlCodec const codec;
    std::string const utf8 = GbkToUtf8(nickname);

    Text const every = codec.EncodeUtf8(nickname, Utf8Escaping::EveryByte);
    VELMORA_FUZZ_CHECK(fuzz::PercentDecode(EscapeHttpPrefixes(every)) == utf8);

    Text const printable = codec.EncodeUtf8(nickname, Utf8Escaping::KeepPrintable);
    VELMORA_FUZZ_CHECK(std::all_of(
        printable.begin(), printable.end(), [](char byte) { return byte >= 0x21 && byte <= 0x7A; }));
    VELMORA_FUZZ_CHECK(printable.size() >= utf8.size() && printable.size() <= 3 * utf8.size());
    return 0;
}
