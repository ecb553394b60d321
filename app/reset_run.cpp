#include "app/reset_run.h"

namespace velmora {

void ResetRun(Form& form, CollectionState& state)
{
    constexpr int SellerTab = 0;
    form.ClearRows(form.CurrentTab() == SellerTab ? Control::超级列表框店铺 : Control::超级列表框1);
    state.RowCounter = 1;
    state.PageCount = 0;
    state.CurrentPage = 1;
    state.CurrentUrl.clear();
    state.SeenNames.clear();
    form.SetText(Control::编辑框提示, {});
}

}
