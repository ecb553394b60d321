// A seller's credit page (spaces kept), as the credit lookup reads it: the rank image gives a
// row of the level table and the opening date is cut between its label and the next tag.
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_endpoints.h"
#include "sellers/credit_level.h"
#include "sellers/date_text.h"
#include "sellers/seller_credit.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    using namespace velmora;
    std::string_view const page(reinterpret_cast<char const*>(data), size);
    SellerCredit const credit = ReadCreditPage(page, fuzz::FuzzEndpoints().ImageHost);

    auto const levels = CreditLevels();
    VELMORA_FUZZ_CHECK(std::any_of(levels.begin(), levels.end(), [&](CreditLevel const& row) {
        return row.number == credit.level.number && row.name == credit.level.name;
    }));
    VELMORA_FUZZ_CHECK(fuzz::IsCutFrom(credit.date, page));
    // The date window reads the cut date next.
    ReadDateText(credit.date);
    return 0;
}
