#include "buyers/seller_user_id.h"

#include "text/cut.h"
#include "text/marker_search.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr std::string_view IdStartMarker = "key:user-";
constexpr std::string_view IdEndMarker = "-prototype";

}

Text SellerUserIdFromShopPage(std::string_view page_text)
{
    auto marker = FindMarker(page_text, IdStartMarker);
    if (!marker)
        return {};
    std::size_t start = *marker + IdStartMarker.size();
    return CutBetween(page_text, start, FindMarker(page_text, IdEndMarker, start));
}

bool IsUsableSellerUserId(std::string_view id)
{
    return !id.empty() && std::all_of(id.begin(), id.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}
