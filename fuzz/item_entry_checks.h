// The checks both item search scans share: the entries lie inside the block in order, at most
// a page's worth, and every field cut from an entry is made of the entry's bytes.
#pragma once

#include "fuzz/fuzz_check.h"
#include "sellers/item_entry.h"

#include <functional>
#include <string_view>

namespace velmora::fuzz {

// Scans block as a collector does, cutting each entry with cut, until an entry without a
// nickname ends the page. skip drops an entry before it is cut.
inline void ScanItemEntries(std::string_view block, ItemEntry (*cut)(std::string_view),
    std::function<bool(std::string_view)> const& skip = {})
{
    ItemEntryScanner scanner(block);
    std::size_t entries = 0;
    char const* last_end = block.data();
    for (;;) {
        auto entry_text = scanner.Next();
        if (!entry_text) {
            // A scan that has ended stays ended.
            VELMORA_FUZZ_CHECK(!scanner.Next().has_value());
            return;
        }
        ++entries;
        VELMORA_FUZZ_CHECK(entries <= MaxEntriesPerPage);
        VELMORA_FUZZ_CHECK(LiesWithin(*entry_text, block));
        // Each entry starts after the marker that opens it, so entries never run backwards.
        VELMORA_FUZZ_CHECK(entry_text->data() >= last_end);
        last_end = entry_text->data() + entry_text->size();
        if (skip && skip(*entry_text))
            continue;
        ItemEntry const entry = cut(*entry_text);
        for (Text const* field :
            {&entry.item_link, &entry.title, &entry.location, &entry.seller_link, &entry.nickname})
            VELMORA_FUZZ_CHECK(IsCutFrom(*field, *entry_text));
        if (entry.nickname.empty())
            return;
    }
}

}
