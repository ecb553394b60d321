// A shop search result page, as the shop search collector reads it: the table region, the page
// count and every entry with and without the mall-icon switch; and a shop page's opening date.
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_endpoints.h"
#include "sellers/shop_entry.h"
#include "sellers/shop_search_page.h"
#include "text/spaces.h"

#include <cstddef>
#include <cstdint>

namespace {

using namespace velmora;

// Every field of every entry must come from the page; no more entries than a page allows are
// looked at, passed-over mall shops included.
class CheckingHandler final : public ShopEntryHandler {
public:
    explicit CheckingHandler(std::string_view page)
        : m_page(page)
    {
    }

    bool PassesOverMallShop() override
    {
        ++m_looked_at;
        return true;
    }

    void Take(ShopEntry const& entry) override
    {
        ++m_looked_at;
        VELMORA_FUZZ_CHECK(m_looked_at <= MaxShopEntriesPerPage);
        VELMORA_FUZZ_CHECK(fuzz::IsCutFrom(entry.shop_address, m_page));
        VELMORA_FUZZ_CHECK(fuzz::IsCutFrom(entry.nickname, m_page));
        VELMORA_FUZZ_CHECK(fuzz::IsCutFrom(entry.location, m_page));
        VELMORA_FUZZ_CHECK(fuzz::IsCutFrom(entry.credit_value, m_page));
    }

private:
    std::string_view m_page;
    std::size_t m_looked_at {0};
};

}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    Text const page = RemoveSpaces({reinterpret_cast<char const*>(data), size});
    std::string_view const region = ShopTableRegion(page);
    VELMORA_FUZZ_CHECK(fuzz::LiesWithin(region, page));
    ShopPageCount(page);
    std::string_view const rating_host = fuzz::FuzzEndpoints().RatingHost;
    for (MallIconSwitch mall_icons : {MallIconSwitch::Off, MallIconSwitch::On}) {
        CheckingHandler handler(page);
        ScanShopEntries(region, rating_host, mall_icons, handler);
    }
    Text const date = ReadShopOpeningDate(page);
    VELMORA_FUZZ_CHECK(fuzz::IsCutFrom(date, page));
    VELMORA_FUZZ_CHECK(date.empty() || date.find("20") != Text::npos);
    return 0;
}
