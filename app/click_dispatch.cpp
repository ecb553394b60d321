#include "app/click_dispatch.h"

#include "sellers/seller_row_open.h"
#include "sellers/seller_search_controller.h"

namespace velmora {

void OnClick(Session& session, Control control)
{
    switch (control) {
    case Control::按钮搜索卖家:
        OnSellerSearchClick(session);
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
    default:
        break;
    }
}

}
