// A reply's header block, as the fetch worker copies its Set-Cookie lines into the shared
// cookie store for the host it connected to. The input is the host, a zero byte, and the
// header text.
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"
#include "web/cookie_store.h"
#include "web/fetch_worker.h"

#include <cstddef>
#include <cstdint>

namespace {

// The hosts the worker connects to; it sends nothing to any other.
bool IsHostName(std::string_view host)
{
    return !host.empty()
        && host.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789.-_") == std::string_view::npos;
}

bool HoldsFieldBreak(std::string_view text)
{
    return text.find_first_of("\t\r\n") != std::string_view::npos;
}

}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    using namespace velmora;
    fuzz::FuzzInput input(data, size);
    std::string_view const host = input.TakeField();
    std::string_view const header_text = input.Rest();
    if (!IsHostName(host))
        return 0;

    CookieStore& store = CookieStore::Shared();
    bool const stored = CopyReplyCookies(header_text, host);
    auto const cookies = store.List();
    VELMORA_FUZZ_CHECK(stored || cookies.empty());
    for (Cookie const& cookie : cookies) {
        VELMORA_FUZZ_CHECK(!cookie.name.empty() && !cookie.domain.empty() && !cookie.path.empty());
        VELMORA_FUZZ_CHECK(!HoldsFieldBreak(cookie.name) && !HoldsFieldBreak(cookie.value)
            && !HoldsFieldBreak(cookie.domain) && !HoldsFieldBreak(cookie.path));
        // Stored for the host itself or a domain it lies in, never for another site.
        VELMORA_FUZZ_CHECK(cookie.domain == host
            || (host.ends_with(cookie.domain) && host[host.size() - cookie.domain.size() - 1] == '.'));
        VELMORA_FUZZ_CHECK(fuzz::IsCutFrom(cookie.name, header_text));
        VELMORA_FUZZ_CHECK(fuzz::IsCutFrom(cookie.value, header_text));
    }
    // Each input starts from an empty store.
    store.Clear();
    store.Synchronise();
    return 0;
}
