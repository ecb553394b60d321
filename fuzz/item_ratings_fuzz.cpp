// An item's pages (spaces removed), as the item buyers' run reads them: the item page gives
// the address of the rating pages, which move on page by page, and each rating page is
// scanned for nicknames.
#include "buyers/nickname_scanner.h"
#include "buyers/rating_addresses.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_endpoints.h"
#include "fuzz/nickname_checks.h"
#include "text/spaces.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    using namespace velmora;
    Text const page = RemoveSpaces({reinterpret_cast<char const*>(data), size});

    Endpoints const& endpoints = fuzz::FuzzEndpoints();
    Text address = ItemRatingAddressFromItemPage(page, endpoints);
    VELMORA_FUZZ_CHECK(fuzz::IsCutFrom(address, page));
    VELMORA_FUZZ_CHECK(
        address.empty() || address.starts_with("http://" + endpoints.RatingHost + "/detail_rate.htm?"));
    constexpr int SecondPage = 2;
    AdvanceItemRatingAddress(address, SecondPage);

    fuzz::ScanNicknames(page, NicknameEnd::BeforeQuote, ItemRatingCutLimit);
    return 0;
}
