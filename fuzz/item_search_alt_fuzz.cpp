// The item search page in the enlarged four-picture layout, as the alternate collector reads
// it: mall entries are recognised by the mall's host name before they are cut.
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_endpoints.h"
#include "fuzz/item_entry_checks.h"
#include "sellers/item_search_page.h"
#include "text/marker_search.h"
#include "text/spaces.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    using namespace velmora;
    Text const page = RemoveSpaces({reinterpret_cast<char const*>(data), size});
    std::string_view const block = ResultBlock(page);
    VELMORA_FUZZ_CHECK(fuzz::LiesWithin(block, page));
    ResultPageCount(block);
    Text const& mall_host = fuzz::FuzzEndpoints().MallHost;
    fuzz::ScanItemEntries(block, &CutEnlargedItemEntry,
        [&](std::string_view entry) { return ContainsMarker(entry, mall_host); });
    return 0;
}
