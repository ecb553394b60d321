// An address as the fetch worker splits it into the host it connects to, the port and the
// path it requests.
#include "fuzz/fuzz_check.h"
#include "web/address_parts.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    using namespace velmora;
    std::string_view const url(reinterpret_cast<char const*>(data), size);
    AddressParts const parts = SplitAddress(url);

    VELMORA_FUZZ_CHECK(parts.host.find_first_of("/:") == Text::npos);
    VELMORA_FUZZ_CHECK(
        std::none_of(parts.host.begin(), parts.host.end(), [](char c) { return c >= 'A' && c <= 'Z'; }));
    VELMORA_FUZZ_CHECK(parts.host.size() <= url.size());
    VELMORA_FUZZ_CHECK(parts.port >= 0);
    VELMORA_FUZZ_CHECK(parts.path.starts_with('/'));
    // The path is the end of the address, or "/" for an address without one.
    VELMORA_FUZZ_CHECK(url.ends_with(parts.path) || parts.path == "/");
    // The host is a piece of the address, only its letters lowered.
    Text lowered(url);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
        [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    VELMORA_FUZZ_CHECK(fuzz::IsCutFrom(parts.host, lowered));
    return 0;
}
