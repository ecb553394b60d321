// The shop seller's numeric user id, which the seller's rating pages are addressed by.
#pragma once

#include "text/gbk.h"

#include <string_view>

namespace velmora {

// The id on a shop page (spaces removed): the text after "key:user-" up to "-prototype".
// Empty when either marker is missing.
Text SellerUserIdFromShopPage(std::string_view page_text);

// An id the rating pages can be addressed by: not empty, digits only.
bool IsUsableSellerUserId(std::string_view id);

}
