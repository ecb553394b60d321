#include "app/click_dispatch.h"

#include "buyers/chat_link.h"
#include "buyers/item_buyers.h"
#include "buyers/shop_buyers.h"
#include "sellers/seller_row_open.h"
#include "sellers/seller_search_controller.h"

namespace velmora {

void OnClick(Session& session, Control control)
{
    switch (control) {
    case Control::按钮搜索卖家:
        OnSellerSearchClick(session);
        break;
    case Control::按钮采集买家1:
        StartOrStopShopBuyers(session);
        break;
    case Control::按钮采集买家2:
        StartOrStopItemBuyers(session);
        break;
    default:
        break;
    }
}

void OnDoubleClick(Session& session, Control list)
{
    switch (list) {
    case Control::超级列表框店铺:
        OpenSellerRow(session);
        break;
    case Control::超级列表框1:
        OpenBuyerChat(session);
        break;
    default:
        break;
    }
}

}
