// The parts of a shop search result page and of a shop page (GBK, spaces removed) that the
// shop search reads, and the addresses of the result pages.
#pragma once

#include "app/collection_state.h"
#include "app/form.h"
#include "text/gbk.h"
#include "web/endpoints.h"
#include "web/url_codec.h"

#include <cstdint>
#include <string_view>

namespace velmora {

// Result offsets are 40 apart, one result page each.
constexpr int ShopResultsPerPage = 40;

// The table region: from "表格内容循环开始" up to, not including, the "表格内容循环结束" after
// it; empty when either is missing.
std::string_view ShopTableRegion(std::string_view page);

// The number between the first "共" after the table's end marker (after the start of the page
// when that marker is missing) and the "页" after it: its leading digits, 0 when there are
// none.
std::int32_t ShopPageCount(std::string_view page);

// The opening date on a shop page: the text between the "</span>" that follows the label
// 创店时间 and the next "<", when it holds "20"; empty otherwise and when a marker is missing.
Text ReadShopOpeningDate(std::string_view shop_page);

// The first result page's address up to and with "&tab=", before the start page's text: the
// keyword and the category text of 组合框类别 in the GBK encoding, the category ids of the
// run, then "&title=title", "&nick=nick" and "&tag=tag" for the ticked name boxes
// 选择框店铺名, 选择框掌柜名 and 选择框宝贝名.
Text ShopFirstPageUrl(Form const& form, CollectionState const& state, Endpoints const& endpoints);

// The address of result page `page` from 2 on: the keys in their own order, tab=3, title and
// nick always, the offset s = 40 × (page − 1), stat=4, the category by its name only, and the
// ticked name boxes appended once more.
Text ShopNextPageUrl(Form const& form, UrlCodec const& codec, Endpoints const& endpoints, int page);

}
