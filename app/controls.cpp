#include "app/controls.h"

#include <array>
#include <stdexcept>

namespace velmora {

namespace {

using enum Control;
using K = ControlKind;

// Every control of the main window: place, caption and state at start.
constexpr ControlDefinition Definitions[] = {
    // directly on the window
    {选择夹1, "选择夹1", K::TabControl, None, -1, {2, 3, 566, 501}, ""},
    {分组框提示, "分组框提示", K::GroupBox, None, -1, {580, 7, 234, 200}, "", false, true, false},
    {分组框4, "分组框4", K::GroupBox, None, -1, {573, 212, 272, 120}, "", false, true, false},
    {分组框5, "分组框5", K::GroupBox, None, -1, {587, 205, 457, 211}, "卖家等级    心级/蓝钻/皇冠/至尊",
        false, true, false},
    {分组框3, "分组框3", K::GroupBox, None, -1, {43, 504, 470, 62}, ""},

    // tab 0, 卖家采集
    {按钮更新, "按钮更新", K::Button, 选择夹1, 0, {381, 0, 40, 20}, "更新"},
    {按钮帮助, "按钮帮助", K::Button, 选择夹1, 0, {422, 0, 40, 20}, "帮助"},
    {按钮搜索卖家, "按钮搜索卖家", K::Button, 选择夹1, 0, {494, 38, 56, 24}, "开始"},
    {按钮提取卖家, "按钮提取卖家", K::Button, 选择夹1, 0, {494, 69, 56, 24}, "提取"},
    {分组框1, "分组框1", K::GroupBox, 选择夹1, 0, {5, 27, 553, 85}, ""},
    {超级列表框店铺, "超级列表框店铺", K::ResultList, 选择夹1, 0, {5, 114, 553, 381}, ""},

    // inside 分组框1
    {标签1, "标签1", K::Label, 分组框1, -1, {8, 15, 48, 24}, "关键字"},
    {编辑框关键字, "编辑框关键字", K::EditBox, 分组框1, -1, {48, 17, 81, 20}, ""},
    {标签3, "标签3", K::Label, 分组框1, -1, {8, 38, 48, 24}, "所在地"},
    {编辑框所在地, "编辑框所在地", K::EditBox, 分组框1, -1, {48, 39, 81, 20}, ""},
    {标签2, "标签2", K::Label, 分组框1, -1, {134, 40, 24, 16}, "类别"},
    {组合框类别, "组合框类别", K::ComboBox, 分组框1, -1, {171, 38, 142, 20}, "所有类别"},
    {标签4, "标签4", K::Label, 分组框1, -1, {9, 63, 40, 20}, "搜索页"},
    {编辑框起始页, "编辑框起始页", K::EditBox, 分组框1, -1, {48, 61, 25, 20}, "1"},
    {标签5, "标签5", K::Label, 分组框1, -1, {80, 63, 16, 16}, "→"},
    {编辑框结束页, "编辑框结束页", K::EditBox, 分组框1, -1, {95, 61, 34, 20}, "10"},
    {单选框宝贝搜索, "单选框宝贝搜索", K::RadioButton, 分组框1, -1, {57, 0, 72, 16}, "宝贝搜索", false},
    {单选框店铺搜索, "单选框店铺搜索", K::RadioButton, 分组框1, -1, {168, 0, 73, 16}, "店铺搜索", true},
    {选择框店铺名, "选择框店铺名", K::CheckBox, 分组框1, -1, {131, 19, 57, 16}, "店铺名", true},
    {选择框掌柜名, "选择框掌柜名", K::CheckBox, 分组框1, -1, {194, 18, 57, 16}, "掌柜名", true},
    {选择框宝贝名, "选择框宝贝名", K::CheckBox, 分组框1, -1, {255, 18, 58, 16}, "宝贝名", true},
    {选择框仅在线, "选择框仅在线", K::CheckBox, 分组框1, -1, {133, 64, 57, 16}, "仅在线", false},
    {选择框去重复, "选择框去重复", K::CheckBox, 分组框1, -1, {225, 63, 69, 16}, "去除重复", true},
    {选择框过滤商城用户, "选择框过滤商城用户", K::CheckBox, 分组框1, -1, {327, 59, 69, 16}, "过滤商城",
        false},
    {选择框显示信誉, "选择框显示信誉", K::CheckBox, 分组框1, -1, {328, 16, 73, 16}, "显示信誉", false},
    {选择框创店时间, "选择框创店时间", K::CheckBox, 分组框1, -1, {327, 37, 73, 16}, "创店时间", false},
    {按钮卖家信用, "按钮卖家信用", K::Button, 分组框1, -1, {400, 12, 60, 20}, "信誉设置", false, false},
    {按钮卖家时间, "按钮卖家时间", K::Button, 分组框1, -1, {400, 33, 60, 20}, "时间设置", false, false},

    // tab 1, 买家采集
    {分组框2, "分组框2", K::GroupBox, 选择夹1, 1, {6, 24, 552, 63}, ""},
    {超级列表框1, "超级列表框1", K::ResultList, 选择夹1, 1, {6, 90, 552, 405}, ""},
    {分组框6, "分组框6", K::GroupBox, 选择夹1, 1, {118, 215, 336, 272}, "", false, true, false},
    {超文本浏览框1, "超文本浏览框1", K::WebBrowser, 分组框6, -1, {-490, -102, 958, 455}, ""},

    // inside 分组框2; the two addresses are filled from the endpoints
    {标签6, "标签6", K::Label, 分组框2, -1, {8, 13, 80, 16}, "店铺地址"},
    {编辑框店铺地址, "编辑框店铺地址", K::EditBox, 分组框2, -1, {58, 11, 374, 22}, ""},
    {按钮采集买家1, "按钮采集买家1", K::Button, 分组框2, -1, {434, 10, 54, 24}, "开始"},
    {标签8, "标签8", K::Label, 分组框2, -1, {8, 40, 56, 16}, "宝贝地址"},
    {编辑框宝贝地址, "编辑框宝贝地址", K::EditBox, 分组框2, -1, {58, 36, 374, 22}, ""},
    {按钮采集买家2, "按钮采集买家2", K::Button, 分组框2, -1, {434, 35, 54, 24}, "开始"},
    {按钮提取买家, "按钮提取买家", K::Button, 分组框2, -1, {490, 11, 50, 47}, "提取"},

    // hint panel 分组框提示; the hyperlink's caption ends with the support contact
    {编辑框提示, "编辑框提示", K::MultiLineEditBox, 分组框提示, -1, {8, 12, 217, 153}, ""},
    {图片框5, "图片框5", K::PictureBox, 分组框提示, -1, {152, 109, 50, 50}, ""},
    {按钮关闭, "按钮关闭", K::Button, 分组框提示, -1, {145, 168, 80, 24}, "关闭"},
    {超级链接框1, "超级链接框1", K::Hyperlink, 分组框提示, -1, {12, 169, 112, 24}, "联系QQ  "},

    // seller-time panel 分组框4
    {单选框所有时间, "单选框所有时间", K::RadioButton, 分组框4, -1, {16, 12, 80, 20}, "所有时间", true},
    {单选框早于, "单选框早于", K::RadioButton, 分组框4, -1, {16, 36, 48, 20}, "早于", false},
    {编辑框早于, "编辑框早于", K::EditBox, 分组框4, -1, {60, 35, 75, 20}, "2008-01-01"},
    {单选框晚于, "单选框晚于", K::RadioButton, 分组框4, -1, {16, 60, 48, 20}, "晚于", false},
    {编辑框晚于, "编辑框晚于", K::EditBox, 分组框4, -1, {60, 57, 74, 20}, "2008-01-01"},
    {单选框介于, "单选框介于", K::RadioButton, 分组框4, -1, {16, 83, 48, 20}, "介于", false},
    {编辑框介于1, "编辑框介于1", K::EditBox, 分组框4, -1, {60, 80, 74, 20}, "2008-01-01"},
    {标签10, "标签10", K::Label, 分组框4, -1, {139, 77, 32, 24}, "→"},
    {编辑框介于2, "编辑框介于2", K::EditBox, 分组框4, -1, {157, 80, 74, 20}, "2011-01-01"},
    {标签9, "标签9", K::Label, 分组框4, -1, {235, 77, 32, 24}, "之间"},
    {按钮1, "按钮1", K::Button, 分组框4, -1, {168, 32, 72, 24}, "关闭"},

    // seller-credit panel 分组框5
    {图片框1, "图片框1", K::PictureBox, 分组框5, -1, {23, 16, 91, 126}, ""},
    {图片框2, "图片框2", K::PictureBox, 分组框5, -1, {134, 14, 91, 126}, ""},
    {图片框3, "图片框3", K::PictureBox, 分组框5, -1, {246, 12, 91, 126}, ""},
    {图片框4, "图片框4", K::PictureBox, 分组框5, -1, {361, 14, 91, 126}, ""},
    {选择框星1, "选择框星1", K::CheckBox, 分组框5, -1, {7, 13, 14, 24}, "", false, true, true, "1"},
    {选择框星2, "选择框星2", K::CheckBox, 分组框5, -1, {7, 39, 14, 24}, "", false, true, true, "2"},
    {选择框星3, "选择框星3", K::CheckBox, 分组框5, -1, {7, 67, 14, 24}, "", false, true, true, "3"},
    {选择框星4, "选择框星4", K::CheckBox, 分组框5, -1, {7, 93, 14, 24}, "", false, true, true, "4"},
    {选择框星5, "选择框星5", K::CheckBox, 分组框5, -1, {7, 120, 14, 24}, "", false, true, true, "5"},
    {选择框钻1, "选择框钻1", K::CheckBox, 分组框5, -1, {118, 13, 19, 24}, "", false, true, true, "6"},
    {选择框钻2, "选择框钻2", K::CheckBox, 分组框5, -1, {118, 40, 19, 24}, "", false, true, true, "7"},
    {选择框钻3, "选择框钻3", K::CheckBox, 分组框5, -1, {118, 66, 19, 24}, "", false, true, true, "8"},
    {选择框钻4, "选择框钻4", K::CheckBox, 分组框5, -1, {118, 93, 19, 24}, "", false, true, true, "9"},
    {选择框钻5, "选择框钻5", K::CheckBox, 分组框5, -1, {118, 120, 19, 24}, "", false, true, true, "10"},
    {选择框冠1, "选择框冠1", K::CheckBox, 分组框5, -1, {229, 11, 14, 24}, "", false, true, true, "11"},
    {选择框冠2, "选择框冠2", K::CheckBox, 分组框5, -1, {229, 38, 14, 24}, "", false, true, true, "12"},
    {选择框冠3, "选择框冠3", K::CheckBox, 分组框5, -1, {230, 66, 14, 24}, "", false, true, true, "13"},
    {选择框冠4, "选择框冠4", K::CheckBox, 分组框5, -1, {230, 91, 14, 24}, "", false, true, true, "14"},
    {选择框冠5, "选择框冠5", K::CheckBox, 分组框5, -1, {230, 117, 14, 24}, "", false, true, true, "15"},
    {选择框尊1, "选择框尊1", K::CheckBox, 分组框5, -1, {342, 10, 14, 24}, "", false, true, true, "16"},
    {选择框尊2, "选择框尊2", K::CheckBox, 分组框5, -1, {342, 37, 14, 24}, "", false, true, true, "17"},
    {选择框尊3, "选择框尊3", K::CheckBox, 分组框5, -1, {342, 63, 14, 24}, "", false, true, true, "18"},
    {选择框尊4, "选择框尊4", K::CheckBox, 分组框5, -1, {342, 88, 14, 24}, "", false, true, true, "19"},
    {选择框尊5, "选择框尊5", K::CheckBox, 分组框5, -1, {342, 117, 14, 24}, "", false, true, true, "20"},
    {选择框0, "选择框0", K::CheckBox, 分组框5, -1, {7, 147, 30, 16}, "0", false, true, true, "21"},
    {选择框1, "选择框1", K::CheckBox, 分组框5, -1, {119, 147, 70, 16}, "全部选中", false},
    {按钮2, "按钮2", K::Button, 分组框5, -1, {193, 163, 80, 32}, "关闭"},
};

constexpr ColumnDefinition SellerColumns[] = {
    {"序号", 40},
    {"卖家ID", 110},
    {"状态", 40},
    {"店铺地址", 150},
    {"所在地", 60},
    {"信用值", 50},
    {"开店时间", 80},
    {"宝贝地址", 50},
};

constexpr ColumnDefinition BuyerColumns[] = {
    {"序号", 40},
    {"买家ID", 100},
    {"状态", 40},
};

constexpr Control LevelBoxes[] = {
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
};

}

std::span<ControlDefinition const> ControlDefinitions()
{
    return Definitions;
}

ControlDefinition const& DefinitionOf(Control control)
{
    // The table lists the controls in the order of the enumeration.
    auto index = static_cast<std::size_t>(control) - 1;
    if (index < std::size(Definitions) && Definitions[index].control == control)
        return Definitions[index];
    for (auto const& definition : Definitions) {
        if (definition.control == control)
            return definition;
    }
    throw std::out_of_range("no definition for this control");
}

std::span<ColumnDefinition const> SellerListColumns()
{
    return SellerColumns;
}
std::span<ColumnDefinition const> BuyerListColumns()
{
    return BuyerColumns;
}

Control LevelBox(int level)
{
    if (level < 1 || level > static_cast<int>(std::size(LevelBoxes)))
        throw std::out_of_range("credit levels run from 1 to 20, and 21 is 选择框0");
    return LevelBoxes[level - 1];
}

}
