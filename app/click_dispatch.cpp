#include "app/click_dispatch.h"

#include "export/export_list.h"

namespace velmora {

void OnClick(Session& session, Control control)
{
    switch (control) {
    case Control::按钮提取买家:
        ExportBuyers(session);
        break;
    case Control::按钮提取卖家:
        ExportSellers(session);
        break;
    default:
        break;
    }
}

void OnDoubleClick(Session& session, Control list)
{
    switch (list) {
    default:
        break;
    }
}

}
