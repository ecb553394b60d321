#include "sellers/seller_run.h"

#include "app/status_log.h"
#include "text/decimal.h"

namespace velmora {

namespace {

enum SellerColumn {
    NumberColumn,
    NicknameColumn,
    StatusColumn,
    TitleOrShopColumn,
    LocationColumn,
    LevelColumn,
    DateColumn,
    ItemLinkColumn,
};

}

bool IsSellerRunStopped(Form const& form)
{
    return form.GetText(Control::按钮搜索卖家) == "开始"_gbk;
}

bool StopIfRequested(Form& form)
{
    if (!IsSellerRunStopped(form))
        return false;
    StatusLog(form, "已经停止采集。。。"_gbk);
    return true;
}

void AddSellerRow(Form& form, CollectionState& state, SellerRow const& row)
{
    constexpr Control List = Control::超级列表框店铺;
    int const index = state.RowCounter - 1;
    form.InsertRow(List, index, DecimalText(state.RowCounter));
    form.SetCell(List, index, NicknameColumn, row.nickname);
    form.SetCell(List, index, StatusColumn, row.status);
    form.SetCell(List, index, TitleOrShopColumn, row.title_or_shop);
    form.SetCell(List, index, LocationColumn, row.location);
    form.SetCell(List, index, LevelColumn, row.level_name);
    form.SetCell(List, index, DateColumn, row.date);
    form.SetCell(List, index, ItemLinkColumn, row.item_link);
    ++state.RowCounter;
}

void FinishSellerRun(Form& form, CollectionState const& state)
{
    StatusLog(form, "数据采集完毕 。。。"_gbk);
    StatusLog(form, "共采集到"_gbk + DecimalText(state.RowCounter - 1) + "条数据。"_gbk);
    EndSellerRun(form);
}

void EndSellerRun(Form& form)
{
    form.SetText(Control::按钮搜索卖家, "开始"_gbk);
    form.SetVisible(Control::图片框5, false);
}

}
