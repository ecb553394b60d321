#include "sellers/shop_entry.h"

#include "text/cut.h"
#include "text/marker_search.h"

namespace velmora {

namespace {

Text const& EntryDelimiter()
{
    return "大图模式增加"_gbk;
}

Text const& MallIconMarker()
{
    return "商城店铺icon"_gbk;
}

constexpr std::string_view TitleMarker = "<dt>";
constexpr std::string_view LinkMarker = "href=";
constexpr std::size_t LinkValueOffset = 6; // href and the opening quote
constexpr std::string_view AddressEndMarker = "class";
constexpr std::string_view TagEndMarker = ">";
constexpr std::string_view NicknameEndMarker = "<";
constexpr std::string_view CellMarker = "<td>";
constexpr std::string_view LocationMarker = "<p>";
constexpr std::string_view LocationEndMarker = "</p>";
constexpr std::string_view CreditMarker = "data-rank=";
constexpr std::size_t CreditValueOffset = 11; // data-rank= and the opening quote
constexpr std::string_view CreditEndMarker = "href";
constexpr std::size_t ClosingQuote = 1;

// The position offset bytes after the first byte of marker, searched from a position found
// before; none when that position is none or the marker is missing, so one missing marker
// breaks the chain of every search made from it.
std::optional<std::size_t> After(
    std::string_view entry, std::string_view marker, std::optional<std::size_t> from, std::size_t offset)
{
    if (!from)
        return std::nullopt;
    auto found = FindMarker(entry, marker, *from);
    if (!found)
        return std::nullopt;
    return *found + offset;
}

// The text from begin up to the end marker searched from begin, less the dropped bytes
// before the marker.
Text FieldFrom(std::string_view entry, std::optional<std::size_t> begin, std::string_view end_marker,
    std::size_t dropped)
{
    if (!begin)
        return {};
    auto end = FindMarker(entry, end_marker, *begin);
    if (!end || *end < dropped)
        return {};
    return CutBetween(entry, begin, *end - dropped);
}

}

std::optional<std::string_view> ShopEntryScanner::Next()
{
    if (m_done || m_yielded >= m_max_entries)
        return std::nullopt;
    auto delimiter = FindMarker(m_region, EntryDelimiter(), m_search_start);
    if (!delimiter) {
        m_done = true;
        return std::nullopt;
    }
    ++m_yielded;
    std::size_t const begin = *delimiter + ShopEntryBeginOffset;
    auto next = FindMarker(m_region, EntryDelimiter(), begin);
    // The byte before the next delimiter, or the region's last byte, is left out.
    std::size_t const end = next ? *next - 1 : m_region.size() - 1;
    m_search_start = end;
    if (end <= begin)
        return std::string_view {};
    return m_region.substr(begin, end - begin);
}

bool HasMallIcon(std::string_view entry)
{
    return ContainsMarker(entry, MallIconMarker());
}

std::optional<ShopEntry> CutShopEntry(std::string_view entry, std::string_view rating_host)
{
    auto title = FindMarker(entry, TitleMarker);
    if (!title)
        return std::nullopt;
    Text const rating_link = "http://" + Text(rating_host) + "/";

    ShopEntry cut;
    auto const address = After(entry, LinkMarker, title, LinkValueOffset);
    cut.shop_address = FieldFrom(entry, address, AddressEndMarker, ClosingQuote);
    auto const link_text = After(entry, TagEndMarker, address, 1);
    auto const keeper_link = After(entry, rating_link, link_text, 0);
    auto const nickname = After(entry, TagEndMarker, keeper_link, 1);
    cut.nickname = FieldFrom(entry, nickname, NicknameEndMarker, 0);
    auto const cell = After(entry, CellMarker, nickname, 0);
    auto const location = After(entry, LocationMarker, cell, LocationMarker.size());
    cut.location = FieldFrom(entry, location, LocationEndMarker, 0);
    auto const credit = After(entry, CreditMarker, location, CreditValueOffset);
    cut.credit_value = FieldFrom(entry, credit, CreditEndMarker, ClosingQuote);
    return cut;
}

void ScanShopEntries(std::string_view region, std::string_view rating_host, MallIconSwitch mall_icons,
    ShopEntryHandler& handler)
{
    ShopEntryScanner scanner(region);
    while (auto entry = scanner.Next()) {
        if (mall_icons == MallIconSwitch::On && HasMallIcon(*entry) && handler.PassesOverMallShop())
            continue;
        auto cut = CutShopEntry(*entry, rating_host);
        if (!cut)
            return;
        handler.Take(*cut);
    }
}

}
