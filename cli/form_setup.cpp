#include "cli/form_setup.h"

#include <algorithm>

namespace velmora::cli {

namespace {

constexpr int SellerTab = 0;
constexpr int BuyerTab = 1;
constexpr int CreditLevelCount = 20;

void SetTextIfGiven(MemoryForm& form, Control control, std::optional<std::string> const& utf8)
{
    if (utf8)
        form.SetText(control, Utf8ToGbk(*utf8));
}

void PrepareSellerFilters(CommandLine const& line, MemoryForm& form)
{
    form.SetChecked(Control::选择框显示信誉, line.show_credit);
    form.SetChecked(Control::选择框创店时间, line.show_date);
    for (int level = 1; level <= CreditLevelCount; ++level) {
        bool chosen = std::find(line.levels.begin(), line.levels.end(), level) != line.levels.end();
        form.SetChecked(LevelBox(level), chosen);
    }
    switch (line.date_window) {
    case DateWindow::AllTime:
        form.SetChecked(Control::单选框所有时间, true);
        break;
    case DateWindow::Before:
        form.SetChecked(Control::单选框早于, true);
        form.SetText(Control::编辑框早于, Utf8ToGbk(line.date_bound));
        break;
    case DateWindow::After:
        form.SetChecked(Control::单选框晚于, true);
        form.SetText(Control::编辑框晚于, Utf8ToGbk(line.date_bound));
        break;
    case DateWindow::Between:
        form.SetChecked(Control::单选框介于, true);
        form.SetText(Control::编辑框介于1, Utf8ToGbk(line.date_from));
        form.SetText(Control::编辑框介于2, Utf8ToGbk(line.date_to));
        break;
    }
    SetTextIfGiven(form, Control::编辑框结束页, line.end_page);
    form.SetChecked(Control::选择框过滤商城用户, line.filter_mall);
}

} // namespace

Control PrepareForm(CommandLine const& line, MemoryForm& form)
{
    form.SetChecked(Control::选择框仅在线, line.online_only);
    switch (line.command) {
    case Command::Items:
        form.SetCurrentTab(SellerTab);
        form.SetChecked(Control::单选框宝贝搜索, true);
        SetTextIfGiven(form, Control::编辑框关键字, line.keyword);
        form.SetChecked(Control::选择框去重复, !line.keep_duplicates);
        PrepareSellerFilters(line, form);
        return SellerStartButton;
    case Command::Shops: {
        form.SetCurrentTab(SellerTab);
        form.SetChecked(Control::单选框店铺搜索, true);
        SetTextIfGiven(form, Control::编辑框关键字, line.keyword);
        SetTextIfGiven(form, Control::编辑框所在地, line.location);
        form.SetText(Control::组合框类别, Utf8ToGbk(line.category.value_or("所有类目")));
        SetTextIfGiven(form, Control::编辑框起始页, line.start_page);
        if (line.match) {
            auto has = [&](std::string_view field) {
                return std::find(line.match->begin(), line.match->end(), field) != line.match->end();
            };
            form.SetChecked(Control::选择框店铺名, has("shop"));
            form.SetChecked(Control::选择框掌柜名, has("keeper"));
            form.SetChecked(Control::选择框宝贝名, has("item"));
        }
        PrepareSellerFilters(line, form);
        return SellerStartButton;
    }
    case Command::ShopBuyers:
        form.SetCurrentTab(BuyerTab);
        SetTextIfGiven(form, Control::编辑框店铺地址, line.shop_address);
        return ShopBuyersStartButton;
    case Command::ItemBuyers:
        form.SetCurrentTab(BuyerTab);
        SetTextIfGiven(form, Control::编辑框宝贝地址, line.item_address);
        return ItemBuyersStartButton;
    }
    return SellerStartButton;
}

Endpoints EndpointsFor(CommandLine const& line)
{
    auto endpoints = Endpoints::Marketplace();
    for (auto const& [name, value] : line.endpoints)
        endpoints.Set(name, Utf8ToGbk(value));
    return endpoints;
}

} // namespace velmora::cli
