// The controls of the main window, by their names in the window definition.
#pragma once

#include "text/gbk.h"

#include <optional>
#include <span>
#include <string_view>

namespace velmora {

enum class Control {
    None,
    // directly on the window
    选择夹1,
    分组框提示,
    分组框4,
    分组框5,
    分组框3,
    // tab 0, 卖家采集
    按钮更新,
    按钮帮助,
    按钮搜索卖家,
    按钮提取卖家,
    分组框1,
    超级列表框店铺,
    // inside 分组框1
    标签1,
    编辑框关键字,
    标签3,
    编辑框所在地,
    标签2,
    组合框类别,
    标签4,
    编辑框起始页,
    标签5,
    编辑框结束页,
    单选框宝贝搜索,
    单选框店铺搜索,
    选择框店铺名,
    选择框掌柜名,
    选择框宝贝名,
    选择框仅在线,
    选择框去重复,
    选择框过滤商城用户,
    选择框显示信誉,
    选择框创店时间,
    按钮卖家信用,
    按钮卖家时间,
    // tab 1, 买家采集
    分组框2,
    超级列表框1,
    分组框6,
    超文本浏览框1,
    // inside 分组框2
    标签6,
    编辑框店铺地址,
    按钮采集买家1,
    标签8,
    编辑框宝贝地址,
    按钮采集买家2,
    按钮提取买家,
    // hint panel 分组框提示
    编辑框提示,
    图片框5,
    按钮关闭,
    超级链接框1,
    // seller-time panel 分组框4
    单选框所有时间,
    单选框早于,
    编辑框早于,
    单选框晚于,
    编辑框晚于,
    单选框介于,
    编辑框介于1,
    标签10,
    编辑框介于2,
    标签9,
    按钮1,
    // seller-credit panel 分组框5
    图片框1,
    图片框2,
    图片框3,
    图片框4,
    选择框星1,
    选择框星2,
    选择框星3,
    选择框星4,
    选择框星5,
    选择框钻1,
    选择框钻2,
    选择框钻3,
    选择框钻4,
    选择框钻5,
    选择框冠1,
    选择框冠2,
    选择框冠3,
    选择框冠4,
    选择框冠5,
    选择框尊1,
    选择框尊2,
    选择框尊3,
    选择框尊4,
    选择框尊5,
    选择框0,
    选择框1,
    按钮2,
};

enum class ControlKind {
    TabControl,
    GroupBox,
    Label,
    EditBox,
    MultiLineEditBox,
    ComboBox,
    CheckBox,
    RadioButton,
    Button,
    PictureBox,
    Hyperlink,
    ResultList,
    WebBrowser,
};

struct Rect {
    int left, top, width, height;
    friend bool operator==(Rect const&, Rect const&) = default;
};

// One control as the window definition gives it. Texts are UTF-8 here, as written in the
// definition; the form converts them once.
struct ControlDefinition {
    Control control;
    std::string_view name; // the object name
    ControlKind kind;
    Control parent; // Control::None: the main window itself
    int tab_page; // the page of 选择夹1 it sits on directly, or -1
    Rect place; // relative to the parent (or the tab page)
    std::string_view caption;
    bool checked {false};
    bool enabled {true};
    bool visible {true};
    std::string_view tag {};
};

struct ColumnDefinition {
    std::string_view title; // UTF-8
    int width;
};

std::span<ControlDefinition const> ControlDefinitions();
ControlDefinition const& DefinitionOf(Control control);

// The columns of the two result lists at start.
std::span<ColumnDefinition const> SellerListColumns();
std::span<ColumnDefinition const> BuyerListColumns();

// The credit level box whose tag is level (1 to 20), and 选择框0 for 21.
Control LevelBox(int level);

// The start buttons of each tab's collection runs.
constexpr Control SellerStartButton = Control::按钮搜索卖家;
constexpr Control ShopBuyersStartButton = Control::按钮采集买家1;
constexpr Control ItemBuyersStartButton = Control::按钮采集买家2;
constexpr Control StartButtons[] = {SellerStartButton, ShopBuyersStartButton, ItemBuyersStartButton};

// The pages of 选择夹1, in order. UTF-8.
constexpr std::string_view TabTitles[] = {"卖家采集", "买家采集"};

// The main window as designed, and the width its creation handler narrows it to.
constexpr std::string_view MainWindowCaption = "Velmora [2011-1226]";
constexpr Rect MainWindowDesignedPlace {50, 50, 757, 592};
constexpr int MainWindowNarrowedWidth = 573;

}
