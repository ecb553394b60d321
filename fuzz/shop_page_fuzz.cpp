// A shop page (spaces removed), as the shop buyers' run reads the seller's user id from it.
#include "buyers/rating_addresses.h"
#include "buyers/seller_user_id.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_endpoints.h"
#include "text/spaces.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    using namespace velmora;
    Text const page = RemoveSpaces({reinterpret_cast<char const*>(data), size});
    Text const id = SellerUserIdFromShopPage(page);
    VELMORA_FUZZ_CHECK(fuzz::IsCutFrom(id, page));
    if (!IsUsableSellerUserId(id))
        return 0;
    VELMORA_FUZZ_CHECK(id.find_first_not_of("0123456789") == Text::npos);
    Text const address = ShopRatingPageAddress(fuzz::FuzzEndpoints(), id, 1);
    VELMORA_FUZZ_CHECK(address.find("user_id=" + id + "&") != Text::npos);
    return 0;
}
