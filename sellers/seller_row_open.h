// The seller list's double-click.
#pragma once

#include "app/session.h"

namespace velmora {

// Opens the selected row of 超级列表框店铺 in the system's browser: column 7 (the item's
// address) while 单选框宝贝搜索 is checked, "http://" + column 3 (the shop's address)
// otherwise; then switches the window's always-on-top setting off. Nothing happens when no
// row is selected.
void OpenSellerRow(Session& session);

}
