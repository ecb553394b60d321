// The shop entries of a shop search result page: the scan that cuts the table region into
// entries and each entry into the fields a seller row takes from it. Nothing here reads a
// control or the network, so the scan runs on any text.
#pragma once

#include "text/gbk.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace velmora {

// What a seller row takes from one shop entry. A field whose markers are missing is empty.
struct ShopEntry {
    Text shop_address; // the shop link, "http://" included
    Text nickname; // the shopkeeper's nickname, the text of the link to the rating host
    Text location;
    Text credit_value; // the level number the entry's data-rank attribute carries
};

// No more entries than this are looked at on one page, dropped ones included.
constexpr std::size_t MaxShopEntriesPerPage = 40;

// The byte an entry begins at, counted from the first byte of its delimiter. The delimiter
// sits in a comment (<!--大图模式增加-->) followed by a line break and the start of the row's
// tag, none of which belongs to the entry.
constexpr std::size_t ShopEntryBeginOffset = 21;

// Yields the entry texts of a table region one at a time. An entry begins 21 bytes after the
// first byte of its delimiter "大图模式增加" and ends two bytes before the next delimiter (the
// byte right before it is left out), or one byte before the end of the region for the last
// entry. The next delimiter is searched from the end of the entry before it. At most
// max_entries are yielded.
class ShopEntryScanner {
public:
    explicit ShopEntryScanner(std::string_view region, std::size_t max_entries = MaxShopEntriesPerPage)
        : m_region(region)
        , m_max_entries(max_entries)
    {
    }

    std::optional<std::string_view> Next();

private:
    std::string_view m_region;
    std::size_t m_max_entries;
    std::size_t m_search_start {0};
    std::size_t m_yielded {0};
    bool m_done {false};
};

// Whether an entry carries the mall-shop icon "商城店铺icon".
bool HasMallIcon(std::string_view entry);

// Cuts one entry; none when the entry holds no "<dt>", which ends the page's scan. Each
// marker is searched from where the one before it was found, so a missing marker empties its
// field and every field searched from it, while the fields before it keep their values:
// - the shop address after the "href=" that follows <dt> and its quote, up to the byte
//   before "class" (the closing quote is left out);
// - the shop link's own text begins after the next ">"; from there the link to
//   "http://" + rating_host + "/", and after its ">" the nickname up to the next "<";
// - after the next "<td>" and its "<p>", the location up to "</p>";
// - after "data-rank=" and its quote, the credit value up to the byte before "href".
std::optional<ShopEntry> CutShopEntry(std::string_view entry, std::string_view rating_host);

// Whether the scan of a page passes over the entries that carry the mall-shop icon: the
// continuation pages do, the first page does not.
enum class MallIconSwitch { Off, On };

// What the scan of a page does with its entries, asked in page order.
class ShopEntryHandler {
public:
    virtual ~ShopEntryHandler() = default;
    // Asked with the switch on, for each entry that carries the mall-shop icon, before the
    // entry is cut: true passes over it.
    virtual bool PassesOverMallShop() = 0;
    // Each entry that was cut.
    virtual void Take(ShopEntry const& entry) = 0;
};

// Scans the entries of a table region: at most 40 are looked at; an entry passed over as a
// mall shop counts among them, and the first entry without "<dt>" ends the scan.
void ScanShopEntries(std::string_view region, std::string_view rating_host, MallIconSwitch mall_icons,
    ShopEntryHandler& handler);

}
