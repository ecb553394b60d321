// The addresses of the two kinds of rating page.
#pragma once

#include "text/gbk.h"
#include "web/endpoints.h"

#include <cstdint>
#include <string_view>

namespace velmora {

// Page page of a seller's ratings by the buyers; the number stands twice, as page and as
// current_page.
Text ShopRatingPageAddress(Endpoints const& endpoints, std::string_view seller_user_id, std::int32_t page);

// The address of the item's rating-detail pages on an item page (spaces removed): from
// "http://" + RatingHost + "/detail_rate.htm?" up to the next double quote. Empty when the
// page holds no such address.
Text ItemRatingAddressFromItemPage(std::string_view page_text, Endpoints const& endpoints);

// Moves an item rating address from page page - 1 to page: every "currentPage=" + (page - 1)
// becomes "currentPage=" + page.
void AdvanceItemRatingAddress(Text& address, std::int32_t page);

}
