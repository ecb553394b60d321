// Every control of the main window at its place, with its kind, caption and state at start.
#include "window_fixture.h"

#include "app/qt/hyperlink_label.h"
#include "app/qt/picture_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTreeWidget>

#include <set>

namespace velmora::testing {
namespace {

enum class Kind { Tab, Group, Label, Edit, Log, Combo, Check, Radio, Button, Picture, Link, List, Browser };

enum State : unsigned { Plain = 0, Checked = 1, Disabled = 2, Hidden = 4 };

struct Expected {
    char const* name;
    Kind kind;
    char const* container; // "" for the window itself
    int page; // the page of 选择夹1, for its own controls
    QRect place;
    char const* caption;
    unsigned state {Plain};
    char const* tag {""};
};

// The window as designed, after its creation handler moved the hint panel. The example
// addresses and the contact come from the test endpoints.
Expected const Controls[] = {
    {"选择夹1", Kind::Tab, "", -1, {2, 3, 566, 501}, ""},
    {"分组框提示", Kind::Group, "", -1, {212, 150, 234, 200}, "", Hidden},
    {"分组框4", Kind::Group, "", -1, {573, 212, 272, 120}, "", Hidden},
    {"分组框5", Kind::Group, "", -1, {587, 205, 457, 211}, "卖家等级    心级/蓝钻/皇冠/至尊", Hidden},
    {"分组框3", Kind::Group, "", -1, {43, 504, 470, 62}, ""},

    {"按钮更新", Kind::Button, "选择夹1", 0, {381, 0, 40, 20}, "更新"},
    {"按钮帮助", Kind::Button, "选择夹1", 0, {422, 0, 40, 20}, "帮助"},
    {"按钮搜索卖家", Kind::Button, "选择夹1", 0, {494, 38, 56, 24}, "开始"},
    {"按钮提取卖家", Kind::Button, "选择夹1", 0, {494, 69, 56, 24}, "提取"},
    {"分组框1", Kind::Group, "选择夹1", 0, {5, 27, 553, 85}, ""},
    {"超级列表框店铺", Kind::List, "选择夹1", 0, {5, 114, 553, 381}, ""},

    {"标签1", Kind::Label, "分组框1", -1, {8, 15, 48, 24}, "关键字"},
    {"编辑框关键字", Kind::Edit, "分组框1", -1, {48, 17, 81, 20}, ""},
    {"标签3", Kind::Label, "分组框1", -1, {8, 38, 48, 24}, "所在地"},
    {"编辑框所在地", Kind::Edit, "分组框1", -1, {48, 39, 81, 20}, ""},
    {"标签2", Kind::Label, "分组框1", -1, {134, 40, 24, 16}, "类别"},
    {"组合框类别", Kind::Combo, "分组框1", -1, {171, 38, 142, 20}, "所有类目"},
    {"标签4", Kind::Label, "分组框1", -1, {9, 63, 40, 20}, "搜索页"},
    {"编辑框起始页", Kind::Edit, "分组框1", -1, {48, 61, 25, 20}, "1"},
    {"标签5", Kind::Label, "分组框1", -1, {80, 63, 16, 16}, "→"},
    {"编辑框结束页", Kind::Edit, "分组框1", -1, {95, 61, 34, 20}, "10"},
    {"单选框宝贝搜索", Kind::Radio, "分组框1", -1, {57, 0, 72, 16}, "宝贝搜索"},
    {"单选框店铺搜索", Kind::Radio, "分组框1", -1, {168, 0, 73, 16}, "店铺搜索", Checked},
    {"选择框店铺名", Kind::Check, "分组框1", -1, {131, 19, 57, 16}, "店铺名", Checked},
    {"选择框掌柜名", Kind::Check, "分组框1", -1, {194, 18, 57, 16}, "掌柜名", Checked},
    {"选择框宝贝名", Kind::Check, "分组框1", -1, {255, 18, 58, 16}, "宝贝名", Checked},
    {"选择框仅在线", Kind::Check, "分组框1", -1, {133, 64, 57, 16}, "仅在线"},
    {"选择框去重复", Kind::Check, "分组框1", -1, {225, 63, 69, 16}, "去除重复", Checked},
    {"选择框过滤商城用户", Kind::Check, "分组框1", -1, {327, 59, 69, 16}, "过滤商城"},
    {"选择框显示信誉", Kind::Check, "分组框1", -1, {328, 16, 73, 16}, "显示信誉"},
    {"选择框创店时间", Kind::Check, "分组框1", -1, {327, 37, 73, 16}, "创店时间"},
    {"按钮卖家信用", Kind::Button, "分组框1", -1, {400, 12, 60, 20}, "信誉设置", Disabled},
    {"按钮卖家时间", Kind::Button, "分组框1", -1, {400, 33, 60, 20}, "时间设置", Disabled},

    {"分组框2", Kind::Group, "选择夹1", 1, {6, 24, 552, 63}, ""},
    {"超级列表框1", Kind::List, "选择夹1", 1, {6, 90, 552, 405}, ""},
    {"分组框6", Kind::Group, "选择夹1", 1, {118, 215, 336, 272}, "", Hidden},
    {"超文本浏览框1", Kind::Browser, "分组框6", -1, {-490, -102, 958, 455}, ""},

    {"标签6", Kind::Label, "分组框2", -1, {8, 13, 80, 16}, "店铺地址"},
    {"编辑框店铺地址", Kind::Edit, "分组框2", -1, {58, 11, 374, 22}, "http://127.0.0.1:9/example-shop/"},
    {"按钮采集买家1", Kind::Button, "分组框2", -1, {434, 10, 54, 24}, "开始"},
    {"标签8", Kind::Label, "分组框2", -1, {8, 40, 56, 16}, "宝贝地址"},
    {"编辑框宝贝地址", Kind::Edit, "分组框2", -1, {58, 36, 374, 22}, "http://127.0.0.1:9/item.htm?id=4242"},
    {"按钮采集买家2", Kind::Button, "分组框2", -1, {434, 35, 54, 24}, "开始"},
    {"按钮提取买家", Kind::Button, "分组框2", -1, {490, 11, 50, 47}, "提取"},

    {"编辑框提示", Kind::Log, "分组框提示", -1, {8, 12, 217, 153}, ""},
    {"图片框5", Kind::Picture, "分组框提示", -1, {152, 109, 50, 50}, ""},
    {"按钮关闭", Kind::Button, "分组框提示", -1, {145, 168, 80, 24}, "关闭"},
    {"超级链接框1", Kind::Link, "分组框提示", -1, {12, 169, 112, 24}, "联系QQ  12345678"},

    {"单选框所有时间", Kind::Radio, "分组框4", -1, {16, 12, 80, 20}, "所有时间", Checked},
    {"单选框早于", Kind::Radio, "分组框4", -1, {16, 36, 48, 20}, "早于"},
    {"编辑框早于", Kind::Edit, "分组框4", -1, {60, 35, 75, 20}, "2008-01-01"},
    {"单选框晚于", Kind::Radio, "分组框4", -1, {16, 60, 48, 20}, "晚于"},
    {"编辑框晚于", Kind::Edit, "分组框4", -1, {60, 57, 74, 20}, "2008-01-01"},
    {"单选框介于", Kind::Radio, "分组框4", -1, {16, 83, 48, 20}, "介于"},
    {"编辑框介于1", Kind::Edit, "分组框4", -1, {60, 80, 74, 20}, "2008-01-01"},
    {"标签10", Kind::Label, "分组框4", -1, {139, 77, 32, 24}, "→"},
    {"编辑框介于2", Kind::Edit, "分组框4", -1, {157, 80, 74, 20}, "2011-01-01"},
    {"标签9", Kind::Label, "分组框4", -1, {235, 77, 32, 24}, "之间"},
    {"按钮1", Kind::Button, "分组框4", -1, {168, 32, 72, 24}, "关闭"},

    {"图片框1", Kind::Picture, "分组框5", -1, {23, 16, 91, 126}, ""},
    {"图片框2", Kind::Picture, "分组框5", -1, {134, 14, 91, 126}, ""},
    {"图片框3", Kind::Picture, "分组框5", -1, {246, 12, 91, 126}, ""},
    {"图片框4", Kind::Picture, "分组框5", -1, {361, 14, 91, 126}, ""},
    {"选择框星1", Kind::Check, "分组框5", -1, {7, 13, 14, 24}, "", Plain, "1"},
    {"选择框星2", Kind::Check, "分组框5", -1, {7, 39, 14, 24}, "", Plain, "2"},
    {"选择框星3", Kind::Check, "分组框5", -1, {7, 67, 14, 24}, "", Plain, "3"},
    {"选择框星4", Kind::Check, "分组框5", -1, {7, 93, 14, 24}, "", Plain, "4"},
    {"选择框星5", Kind::Check, "分组框5", -1, {7, 120, 14, 24}, "", Plain, "5"},
    {"选择框钻1", Kind::Check, "分组框5", -1, {118, 13, 19, 24}, "", Plain, "6"},
    {"选择框钻2", Kind::Check, "分组框5", -1, {118, 40, 19, 24}, "", Plain, "7"},
    {"选择框钻3", Kind::Check, "分组框5", -1, {118, 66, 19, 24}, "", Plain, "8"},
    {"选择框钻4", Kind::Check, "分组框5", -1, {118, 93, 19, 24}, "", Plain, "9"},
    {"选择框钻5", Kind::Check, "分组框5", -1, {118, 120, 19, 24}, "", Plain, "10"},
    {"选择框冠1", Kind::Check, "分组框5", -1, {229, 11, 14, 24}, "", Plain, "11"},
    {"选择框冠2", Kind::Check, "分组框5", -1, {229, 38, 14, 24}, "", Plain, "12"},
    {"选择框冠3", Kind::Check, "分组框5", -1, {230, 66, 14, 24}, "", Plain, "13"},
    {"选择框冠4", Kind::Check, "分组框5", -1, {230, 91, 14, 24}, "", Plain, "14"},
    {"选择框冠5", Kind::Check, "分组框5", -1, {230, 117, 14, 24}, "", Plain, "15"},
    {"选择框尊1", Kind::Check, "分组框5", -1, {342, 10, 14, 24}, "", Plain, "16"},
    {"选择框尊2", Kind::Check, "分组框5", -1, {342, 37, 14, 24}, "", Plain, "17"},
    {"选择框尊3", Kind::Check, "分组框5", -1, {342, 63, 14, 24}, "", Plain, "18"},
    {"选择框尊4", Kind::Check, "分组框5", -1, {342, 88, 14, 24}, "", Plain, "19"},
    {"选择框尊5", Kind::Check, "分组框5", -1, {342, 117, 14, 24}, "", Plain, "20"},
    {"选择框0", Kind::Check, "分组框5", -1, {7, 147, 30, 16}, "0", Plain, "21"},
    {"选择框1", Kind::Check, "分组框5", -1, {119, 147, 70, 16}, "全部选中"},
    {"按钮2", Kind::Button, "分组框5", -1, {193, 163, 80, 32}, "关闭"},
};

bool IsOfKind(QWidget* widget, Kind kind)
{
    switch (kind) {
    case Kind::Tab:
        return qobject_cast<TabControl*>(widget);
    case Kind::Group:
        return qobject_cast<QGroupBox*>(widget);
    case Kind::Label:
        return qobject_cast<QLabel*>(widget) && !qobject_cast<HyperlinkLabel*>(widget);
    case Kind::Edit:
        return qobject_cast<QLineEdit*>(widget);
    case Kind::Log:
        return qobject_cast<QPlainTextEdit*>(widget);
    case Kind::Combo:
        return qobject_cast<QComboBox*>(widget);
    case Kind::Check:
        return qobject_cast<QCheckBox*>(widget);
    case Kind::Radio:
        return qobject_cast<QRadioButton*>(widget);
    case Kind::Button:
        return qobject_cast<QPushButton*>(widget);
    case Kind::Picture:
        return qobject_cast<PictureBox*>(widget);
    case Kind::Link:
        return qobject_cast<HyperlinkLabel*>(widget);
    case Kind::List:
        return qobject_cast<QTreeWidget*>(widget);
    case Kind::Browser:
        return true; // without the browsers, a place holder; see the browser tests
    }
    return false;
}

// What the control shows as its caption or text.
QString Shown(QWidget* widget)
{
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    if (auto* log = qobject_cast<QPlainTextEdit*>(widget))
        return log->toPlainText();
    if (auto* combo_box = qobject_cast<QComboBox*>(widget))
        return combo_box->currentText();
    if (auto* group = qobject_cast<QGroupBox*>(widget))
        return group->title();
    return {};
}

using ControlTable = WindowTest;

TEST_F(ControlTable, EveryControlAtItsPlaceWithItsKindCaptionAndStateAtStart)
{
    std::set<std::string> listed;
    for (auto const& expected : Controls) {
        SCOPED_TRACE(expected.name);
        listed.insert(expected.name);
        auto* control = window->findChild<QWidget*>(QString::fromUtf8(expected.name));
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(IsOfKind(control, expected.kind)) << control->metaObject()->className();
        EXPECT_EQ(control->geometry(), expected.place);

        QWidget* container = control->parentWidget();
        if (expected.page >= 0)
            EXPECT_EQ(container, window->Tabs().Page(expected.page));
        else if (*expected.container == '\0')
            EXPECT_EQ(container, window.get());
        else
            EXPECT_EQ(container->objectName(), QString::fromUtf8(expected.container));

        EXPECT_EQ(Shown(control), QString::fromUtf8(expected.caption));
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            EXPECT_EQ(button->isChecked(), (expected.state & Checked) != 0);
        }
        EXPECT_EQ(control->isEnabled(), (expected.state & Disabled) == 0);
        EXPECT_EQ(control->isHidden(), (expected.state & Hidden) != 0);
        EXPECT_EQ(control->property("tag").toString(), QString::fromUtf8(expected.tag));
    }
    // Nothing of the window definition is missing from the table.
    for (auto const& definition : ControlDefinitions())
        EXPECT_TRUE(listed.contains(std::string(definition.name))) << definition.name;
}

TEST_F(ControlTable, WindowTabsAndListColumns)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Velmora [2011-1226]"));
    EXPECT_EQ(window->pos(), QPoint(50, 50));
    EXPECT_EQ(window->size(), QSize(573, 592));

    QTabBar* bar = window->Tabs().Bar();
    ASSERT_EQ(bar->count(), 2);
    EXPECT_EQ(bar->tabText(0), QStringLiteral("卖家采集"));
    EXPECT_EQ(bar->tabText(1), QStringLiteral("买家采集"));
    EXPECT_EQ(form().CurrentTab(), 0);
    EXPECT_TRUE(window->Tabs().Page(0)->isVisible());
    EXPECT_FALSE(window->Tabs().Page(1)->isVisible());

    struct Column {
        char const* title;
        int width;
    };
    auto check_columns = [](QTreeWidget* list, std::vector<Column> const& columns) {
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->columnCount(), static_cast<int>(columns.size()));
        for (int i = 0; i < list->columnCount(); ++i) {
            EXPECT_EQ(list->headerItem()->text(i), QString::fromUtf8(columns[i].title)) << i;
            EXPECT_EQ(list->columnWidth(i), columns[i].width) << i;
        }
        EXPECT_EQ(list->topLevelItemCount(), 0);
    };
    check_columns(qobject_cast<QTreeWidget*>(widget(Control::超级列表框店铺)),
        {{"序号", 40}, {"卖家ID", 110}, {"状态", 40}, {"店铺地址", 150}, {"所在地", 60}, {"信用值", 50},
            {"开店时间", 80}, {"宝贝地址", 50}});
    check_columns(qobject_cast<QTreeWidget*>(widget(Control::超级列表框1)),
        {{"序号", 40}, {"买家ID", 100}, {"状态", 40}});
}

TEST_F(ControlTable, CategoryBoxIsFilledAtCreation)
{
    auto* box = qobject_cast<QComboBox*>(widget(Control::组合框类别));
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(box->count(), 67);
    EXPECT_EQ(box->itemText(0), QStringLiteral("所有类目"));
    EXPECT_EQ(box->itemText(1), QStringLiteral("女装/女士精品"));
    EXPECT_EQ(box->itemText(66), QStringLiteral("移动/联通/小灵通充值中心"));
    EXPECT_EQ(form().GetText(Control::组合框类别), "所有类目"_gbk);
}

// Every caption is drawn in the CJK font and fits its control, so none is cut.
TEST_F(ControlTable, CaptionsFitTheirControlsInTheCjkFont)
{
    EXPECT_EQ(QFontInfo(window->font()).family(), QStringLiteral("WenQuanYi Micro Hei"));
    for (auto const& expected : Controls) {
        if (*expected.caption == '\0')
            continue;
        SCOPED_TRACE(expected.name);
        auto* control = window->findChild<QWidget*>(QString::fromUtf8(expected.name));
        ASSERT_NE(control, nullptr);
        QFontMetrics const metrics(control->font());
        QString const caption = QString::fromUtf8(expected.caption);
        QRect room;
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            QStyleOptionButton option;
            option.initFrom(button);
            room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
            QStyleOptionButton option;
            option.initFrom(box);
            room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
        } else if (auto* radio = qobject_cast<QRadioButton*>(control)) {
            QStyleOptionButton option;
            option.initFrom(radio);
            room = radio->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, radio);
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            room = label->contentsRect();
        } else {
            continue;
        }
        EXPECT_LE(metrics.horizontalAdvance(caption), room.width()) << room.width();
        EXPECT_LE(metrics.height(), control->height());
    }
}

}
}
