// The item search: the sellers of the items found for the keyword, page by page from page 1
// up to the smaller of the reported page count and 编辑框结束页.
#pragma once

#include "app/session.h"

namespace velmora {

// Reads the pages with ReadUrl in the list layout. When page 1 comes in the enlarged
// four-picture layout it logs "采集失败，更换方法。。。" and hands the whole run to
// CollectItemSearchPagesAlt. Returns when the run is over, stopped or handed over and done.
void CollectItemSearchPages(Session& session);

// Reads the pages with FetchPage in the enlarged layout, from the current page on, and drops
// mall sellers while 选择框过滤商城用户 is checked.
void CollectItemSearchPagesAlt(Session& session);

}
