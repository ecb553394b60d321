// The item search page in the list layout, as the item search collector reads it.
#include "fuzz/fuzz_check.h"
#include "fuzz/item_entry_checks.h"
#include "sellers/item_search_page.h"
#include "text/spaces.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    using namespace velmora;
    Text const page = RemoveSpaces({reinterpret_cast<char const*>(data), size});
    VELMORA_FUZZ_CHECK(page.size() <= size);
    std::string_view const block = ListBlock(page);
    VELMORA_FUZZ_CHECK(fuzz::LiesWithin(block, page));
    IsEnlargedLayout(block);
    ListPageCount(page);
    fuzz::ScanItemEntries(block, &CutListItemEntry);
    return 0;
}
