#include "sellers/item_entry.h"

#include "sellers/field_cursor.h"
#include "text/marker_search.h"

namespace velmora {

namespace {

// href="…"target: the link begins after href=" and its closing quote is dropped.
constexpr FieldRule ItemLinkRule {"href", 6, "target", 1};
constexpr FieldRule NicknameRule {">", 1, "<", 0};

// List layout.
constexpr FieldRule ListTitleRule {"title", 7, ">", 1};
constexpr FieldRule ListLocationRule {"place", 7, "<", 0};
constexpr std::string_view ListSellerMarker = "seller";
constexpr std::size_t ListSellerLinkSearchOffset = 5;
constexpr FieldRule ListSellerLinkRule {"href", 6, "target", 1};

// Enlarged layout.
constexpr FieldRule EnlargedTitleRule {"title", 7, "\"", 0};
constexpr FieldRule EnlargedLocationRule {"\"loc\"", 6, "<", 0};
// The word seller and the ten bytes after it: seller"><ahref="
constexpr FieldRule EnlargedSellerLinkRule {"seller", 16, "target", 1};

}

std::optional<std::string_view> ItemEntryScanner::Next()
{
    if (m_done || m_yielded >= m_max_entries)
        return std::nullopt;
    auto marker = FindMarker(m_block, ItemEntryMarker, m_position);
    if (!marker) {
        m_done = true;
        return std::nullopt;
    }
    ++m_yielded;
    std::size_t begin = *marker + ItemEntryMarker.size();
    auto next = FindMarker(m_block, ItemEntryMarker, begin);
    if (!next) {
        m_done = true;
        return m_block.substr(begin);
    }
    // The next search starts on the byte before the next marker.
    m_position = *next - 1;
    return m_block.substr(begin, *next - begin);
}

ItemEntry CutListItemEntry(std::string_view entry)
{
    FieldCursor cursor(entry);
    ItemEntry cut;
    cut.item_link = cursor.Cut(ItemLinkRule);
    cut.title = cursor.Cut(ListTitleRule);
    cut.location = cursor.Cut(ListLocationRule);
    cursor.MoveTo(ListSellerMarker, ListSellerLinkSearchOffset);
    cut.seller_link = cursor.Cut(ListSellerLinkRule);
    cut.nickname = cursor.Cut(NicknameRule);
    return cut;
}

ItemEntry CutEnlargedItemEntry(std::string_view entry)
{
    FieldCursor cursor(entry);
    ItemEntry cut;
    cut.item_link = cursor.Cut(ItemLinkRule);
    cut.title = cursor.Cut(EnlargedTitleRule);
    cut.location = cursor.Cut(EnlargedLocationRule);
    cut.seller_link = cursor.Cut(EnlargedSellerLinkRule);
    cut.nickname = cursor.Cut(NicknameRule);
    return cut;
}

}
