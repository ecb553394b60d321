// The item entries of an item search result page, in both layouts the marketplace serves.
#pragma once

#include "text/gbk.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace velmora {

// What a seller row takes from one item entry.
struct ItemEntry {
    Text item_link;
    Text title;
    Text location;
    Text seller_link;
    Text nickname;
};

constexpr std::size_t MaxEntriesPerPage = 40;

// The opening tag of an entry with its blank removed: <liclass="list-item">.
constexpr std::string_view ItemEntryMarker = "<liclass=\"list-item\">";

// Yields the entries of a block one at a time, so each entry's tests run before the next
// entry is cut. An entry begins right after the marker and ends right before the next one;
// the last runs to the end of the block. At most max_entries are yielded.
class ItemEntryScanner {
public:
    explicit ItemEntryScanner(std::string_view block, std::size_t max_entries = MaxEntriesPerPage)
        : m_block(block)
        , m_max_entries(max_entries)
    {
    }

    std::optional<std::string_view> Next();

private:
    std::string_view m_block;
    std::size_t m_max_entries;
    std::size_t m_position {0};
    std::size_t m_yielded {0};
    bool m_done {false};
};

// The entry of the list layout: link, title (the value of the title attribute closing its
// tag), the text of the element of class place, and the link after the word seller with the
// nickname as its text.
ItemEntry CutListItemEntry(std::string_view entry);

// The entry of the enlarged four-picture layout: link, title, the text of the element of
// class loc, and the seller's link and nickname after the word seller.
ItemEntry CutEnlargedItemEntry(std::string_view entry);

}
