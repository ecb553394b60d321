// A seller's rating page (spaces removed), as the shop buyers' run scans it.
#include "buyers/nickname_scanner.h"
#include "buyers/shop_buyers.h"
#include "fuzz/nickname_checks.h"
#include "text/spaces.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    using namespace velmora;
    Text const page = RemoveSpaces({reinterpret_cast<char const*>(data), size});
    IsReportedAsFirstPage(page);
    fuzz::ScanNicknames(page, NicknameEnd::BeforeCommaLessOne, ShopRatingCutLimit);
    return 0;
}
