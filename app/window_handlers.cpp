#include "app/window_handlers.h"

#include "app/desktop.h"
#include "sellers/category_box.h"
#include "text/decimal.h"

namespace velmora {

namespace {

constexpr int SellerListTitleColumn = 3;
constexpr int SellerListItemAddressColumn = 7;
constexpr int LastSelectAllTag = 21;

constexpr Control ShopOnlyControls[] = {
    Control::选择框宝贝名,
    Control::选择框掌柜名,
    Control::选择框店铺名,
    Control::选择框过滤商城用户,
    Control::组合框类别,
};

// A settings button is usable exactly while its check box is checked; an open panel stays.
void MatchSettingsButton(Form& form, Control check_box, Control button)
{
    form.SetEnabled(button, form.IsChecked(check_box));
}

void ShowPanel(Form& form, Control panel, int left, int top)
{
    form.SetVisible(panel, true);
    form.Move(panel, left, top);
}

void SetComboBoxBackground(Session& session, BackgroundColour colour)
{
    if (session.frame)
        session.frame->SetBackground(Control::组合框类别, colour);
}

}

void SetUpMainWindow(Session& session)
{
    Form& form = session.form;
    form.Move(Control::分组框提示, HintPanelLeft, HintPanelTop);
    if (session.frame) {
        session.frame->SetWidth(MainWindowNarrowedWidth);
        session.frame->ShowBanner(session.endpoints.BannerPageUrl, form.Place(Control::分组框3));
    }
    FillCategoryBox(form);
    form.SetFocus(Control::分组框4);
}

void ShowShopSearchMode(Session& session)
{
    Form& form = session.form;
    for (Control control : ShopOnlyControls)
        form.SetEnabled(control, true);
    form.SetEnabled(Control::编辑框所在地, true);
    SetComboBoxBackground(session, White);
    form.SetColumnTitle(Control::超级列表框店铺, SellerListTitleColumn, "店铺地址"_gbk);
    form.SetColumnTitle(Control::超级列表框店铺, SellerListItemAddressColumn, {});
}

void ShowItemSearchMode(Session& session)
{
    Form& form = session.form;
    for (Control control : ShopOnlyControls)
        form.SetEnabled(control, false);
    SetComboBoxBackground(session, std::nullopt);
    form.SetColumnTitle(Control::超级列表框店铺, SellerListTitleColumn, "宝贝标题"_gbk);
    form.SetColumnTitle(Control::超级列表框店铺, SellerListItemAddressColumn, "宝贝地址"_gbk);
}

void SelectAllLevels(Form& form)
{
    bool const checked = form.IsChecked(Control::选择框1);
    for (int tag = 1; tag <= LastSelectAllTag; ++tag) {
        Text const tag_text = DecimalText(tag);
        for (auto const& definition : ControlDefinitions()) {
            if (definition.kind == ControlKind::CheckBox && definition.tag == tag_text) {
                form.SetChecked(definition.control, checked);
                break;
            }
        }
    }
}

void OnMainWindowActivated(Form& form)
{
    if (!form.IsAlwaysOnTop())
        form.SetAlwaysOnTop(true);
}

bool HandleWindowClick(Session& session, Control control)
{
    Form& form = session.form;
    switch (control) {
    case Control::单选框店铺搜索:
        ShowShopSearchMode(session);
        return true;
    case Control::单选框宝贝搜索:
        ShowItemSearchMode(session);
        return true;
    case Control::选择框显示信誉:
        MatchSettingsButton(form, Control::选择框显示信誉, Control::按钮卖家信用);
        return true;
    case Control::选择框创店时间:
        MatchSettingsButton(form, Control::选择框创店时间, Control::按钮卖家时间);
        return true;
    case Control::按钮卖家时间:
        ShowPanel(form, Control::分组框4, TimePanelLeft, TimePanelTop);
        return true;
    case Control::按钮卖家信用:
        ShowPanel(form, Control::分组框5, CreditPanelLeft, CreditPanelTop);
        return true;
    case Control::按钮1:
        form.SetVisible(Control::分组框4, false);
        return true;
    case Control::按钮2:
        form.SetVisible(Control::分组框5, false);
        return true;
    case Control::按钮关闭:
        form.SetVisible(Control::分组框提示, false);
        return true;
    case Control::选择框1:
        SelectAllLevels(form);
        return true;
    case Control::按钮帮助:
        OpenInBrowser(session.desktop, session.endpoints, session.endpoints.HelpPageUrl);
        return true;
    case Control::超级链接框1:
        OpenInBrowser(
            session.desktop, session.endpoints, "tencent://Message/?uin=" + session.endpoints.SupportContact);
        return true;
    case Control::按钮更新:
        if (session.frame)
            session.frame->OpenUpdateWindow();
        return true;
    default:
        return false;
    }
}

}
