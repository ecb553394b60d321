#include "sellers/seller_search_controller.h"

#include "app/desktop.h"
#include "app/reset_run.h"
#include "app/run_gate.h"
#include "app/status_log.h"
#include "sellers/credit_filter.h"
#include "sellers/item_search_collector.h"
#include "sellers/seller_run.h"
#include "sellers/shop_search.h"

namespace velmora {

namespace {

constexpr Control ShopSearchNameBoxes[]
    = {Control::选择框店铺名, Control::选择框掌柜名, Control::选择框宝贝名};

void StartShopSearch(Session& session)
{
    Form& form = session.form;
    bool any_checked = false;
    for (Control box : ShopSearchNameBoxes)
        any_checked = any_checked || form.IsChecked(box);
    if (!any_checked) {
        for (Control box : ShopSearchNameBoxes)
            form.SetChecked(box, true);
    }
    CollectShopFirstPage(session);
}

}

void OnSellerSearchClick(Session& session)
{
    Form& form = session.form;
    if (form.GetText(SellerStartButton) != "开始"_gbk) {
        // The stop click: the collector sees the caption at its next page boundary.
        EndSellerRun(form);
        session.run_gate.HoldStopped(form, SellerStartButton);
        return;
    }

    // A run of either tab, or this tab's stopped run still finishing its page, holds the
    // shared run fields.
    if (session.run_gate.IsRunActive())
        return;

    if (form.IsChecked(Control::单选框宝贝搜索) && form.GetText(Control::编辑框关键字).empty()) {
        TimedMessageBox(session.desktop, "请输入关键字！"_gbk);
        form.SetFocus(Control::编辑框关键字);
        return;
    }

    if (!session.run_gate.TryBegin(form, SellerStartButton))
        return;
    RunScope run(session.run_gate, form);

    form.SetText(SellerStartButton, "停止"_gbk);
    ResetRun(form, session.state);
    StatusLog(form, "开始采集数据 。。。"_gbk);
    form.SetVisible(Control::分组框提示, true);
    form.SetVisible(Control::图片框5, true);
    BuildCreditFilterList(form, session.state);

    if (form.IsChecked(Control::单选框宝贝搜索))
        CollectItemSearchPages(session);
    else
        StartShopSearch(session);
}

}
