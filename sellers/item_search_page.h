// The parts of an item search result page (GBK, spaces removed) that the two collectors
// read: the block that holds the entries and the page count.
#pragma once

#include "text/gbk.h"
#include "web/endpoints.h"
#include "web/url_codec.h"

#include <cstdint>
#include <string_view>

namespace velmora {

constexpr int ItemsPerSearchPage = 40;

// "http://" + ItemSearchHost + "/search?q=" + the keyword in EncodeGbk; from page 2 on
// followed by "&s=" + 40 × (page − 1) + "#J_FilterTabBar".
Text ItemSearchPageUrl(Endpoints const& endpoints, UrlCodec const& codec, std::string_view keyword, int page);

// List layout: the text from "list-view" up to, not including, the "endlistview" after it;
// empty when either is missing.
std::string_view ListBlock(std::string_view page);

// Whether a list block came in the enlarged four-picture layout.
bool IsEnlargedLayout(std::string_view list_block);

// List layout: the number between "共" and "页", looked for after the end of the list block
// (from the start of the page when the block has no end); 0 when it is missing or no number.
std::int32_t ListPageCount(std::string_view page);

// Enlarged layout: the text from "的用户喜欢" up to, not including, the "你是不是想找" after
// it; empty when either is missing.
std::string_view ResultBlock(std::string_view page);

// Enlarged layout: the number between "共" and "页" inside the result block.
std::int32_t ResultPageCount(std::string_view result_block);

}
