// The shop search: the shops found for the keyword, location and category, page by page from
// page 1 up to the smaller of the reported page count and 编辑框结束页 (page 2 always, when
// there is one).
#pragma once

#include "app/session.h"
#include "sellers/shop_entry.h"

#include <string_view>

namespace velmora {

// Reads the first result page with FetchPage, logs its page count and lists its shops. A
// result of one page or none ends the run with the end lines; otherwise the run goes on with
// page 2 in CollectShopNextPage.
void CollectShopFirstPage(Session& session);

// Advances CurrentPage by one and writes that page's address into CurrentUrl, from the
// keyword, category text and name boxes as they read now.
void BuildShopNextPageUrl(Session& session);

// Collects the page at CurrentUrl with ReadUrl and every following page, until the run is
// stopped (at the start of a page) or its last page is done.
void CollectShopNextPage(Session& session);

// Lists the shops of a table region, each through the tests of the seller tab in order: the
// location in 编辑框所在地, the status probe (made for every shop that passes the location)
// with 选择框仅在线, the credit filter with 选择框显示信誉, and, while 选择框创店时间 or
// 选择框过滤商城用户 is ticked, the opening date from the shop page: an empty one drops the
// shop as a mall shop while 过滤商城用户 is ticked; a date is shown and tested against the
// date window while 创店时间 is ticked, an empty one is shown empty. With the switch on, a
// shop carrying the mall-shop icon is passed over first while 过滤商城用户 is ticked.
void ScanShopEntries(Session& session, std::string_view region, MallIconSwitch mall_icons);

// The opening date of the shop at the address, read from its page with FetchPage; empty when
// the page cannot be read or shows no date.
Text FetchShopOpeningDate(EventPump& pump, std::string_view shop_address);

}
