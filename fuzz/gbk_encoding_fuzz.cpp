// The search pages' percent-encoding of a GBK keyword, in both of its escapings: every
// result decodes back to the keyword's bytes.
#include "fuzz/fuzz_check.h"
#include "fuzz/percent_decode.h"
#include "web/url_codec.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    using namespace velmora;
    std::string_view const keyword(reinterpret_cast<char const*>(data), size);
    UrlCodec const codec;

    Text const safe = codec.EncodeGbk(keyword, GbkEscaping::KeepSafeAscii);
    VELMORA_FUZZ_CHECK(std::all_of(safe.begin(), safe.end(), fuzz::MayStandInGbkAddress));
    VELMORA_FUZZ_CHECK(fuzz::PercentDecode(safe) == keyword);

    Text const every = codec.EncodeGbk(keyword, GbkEscaping::EveryByte);
    VELMORA_FUZZ_CHECK(every.size() == 3 * keyword.size());
    VELMORA_FUZZ_CHECK(fuzz::PercentDecode(every) == keyword);
    return 0;
}
