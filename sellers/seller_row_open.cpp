#include "sellers/seller_row_open.h"

#include "app/desktop.h"

namespace velmora {

namespace {

constexpr Control SellerList = Control::超级列表框店铺;
constexpr int ShopAddressColumn = 3;
constexpr int ItemAddressColumn = 7;

}

void OpenSellerRow(Session& session)
{
    Form& form = session.form;
    int const row = form.SelectedRow(SellerList);
    if (row < 0 || row >= form.RowCount(SellerList))
        return;
    // The mode at the moment of the double-click decides, whichever search filled the list.
    Text const address = form.IsChecked(Control::单选框宝贝搜索)
        ? form.Cell(SellerList, row, ItemAddressColumn)
        : "http://" + form.Cell(SellerList, row, ShopAddressColumn);
    OpenInBrowser(session.desktop, session.endpoints, address);
    form.SetAlwaysOnTop(false);
}

}
