// The handlers that change only the window: creation, panels, settings buttons, mode
// switches, select-all, always-on-top, help, contact and update, and the run fields as the
// real window shows them.
#include "window_fixture.h"

#include "app/reset_run.h"
#include "app/status_log.h"

#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTreeWidget>

#include <map>

namespace velmora::testing {
namespace {

using WindowHandlers = WindowTest;

TEST_F(WindowHandlers, NarrowedAtStartWithTheSettingsPanelsOutsideTheVisibleArea)
{
    EXPECT_EQ(window->width(), 573);
    for (Control panel : {Control::分组框4, Control::分组框5}) {
        QWidget* group = widget(panel);
        EXPECT_GE(group->x(), 573);
        EXPECT_FALSE(group->isVisible());
    }
    // The hint panel waits inside the window, hidden, for the start buttons.
    EXPECT_EQ(widget(Control::分组框提示)->pos(), QPoint(212, 150));
    EXPECT_FALSE(widget(Control::分组框提示)->isVisible());
}

TEST_F(WindowHandlers, PanelButtonsPlaceThePanelsInsideTheWindowAndCloseButtonsHideThem)
{
    struct Case {
        Control check_box, settings_button, panel, close_button;
        QPoint place;
    };
    Case const cases[] = {
        {Control::选择框创店时间, Control::按钮卖家时间, Control::分组框4, Control::按钮1, {120, 165}},
        {Control::选择框显示信誉, Control::按钮卖家信用, Control::分组框5, Control::按钮2, {50, 150}},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(DefinitionOf(c.panel).name);
        Click(c.check_box);
        Click(c.settings_button);
        QWidget* panel = widget(c.panel);
        EXPECT_TRUE(panel->isVisible());
        EXPECT_EQ(panel->pos(), c.place);
        EXPECT_TRUE(window->rect().contains(panel->geometry())) << panel->geometry().x();
        Click(c.close_button);
        EXPECT_FALSE(panel->isVisible());
    }

    form().SetVisible(Control::分组框提示, true);
    ASSERT_TRUE(widget(Control::分组框提示)->isVisible());
    EXPECT_TRUE(window->rect().contains(widget(Control::分组框提示)->geometry()));
    Click(Control::按钮关闭);
    EXPECT_FALSE(widget(Control::分组框提示)->isVisible());
}

TEST_F(WindowHandlers, SettingsCheckBoxesEnableTheirButtonsAndLeaveAnOpenPanelOpen)
{
    struct Case {
        Control check_box, settings_button, panel;
    };
    for (auto const& c : {Case {Control::选择框显示信誉, Control::按钮卖家信用, Control::分组框5},
             Case {Control::选择框创店时间, Control::按钮卖家时间, Control::分组框4}}) {
        SCOPED_TRACE(DefinitionOf(c.check_box).name);
        QWidget* button = widget(c.settings_button);
        EXPECT_FALSE(button->isEnabled());
        // A click on the disabled button does nothing.
        Click(c.settings_button);
        EXPECT_FALSE(widget(c.panel)->isVisible());

        Click(c.check_box);
        EXPECT_TRUE(form().IsChecked(c.check_box));
        EXPECT_TRUE(button->isEnabled());
        Click(c.settings_button);
        EXPECT_TRUE(widget(c.panel)->isVisible());

        Click(c.check_box);
        EXPECT_FALSE(form().IsChecked(c.check_box));
        EXPECT_FALSE(button->isEnabled());
        EXPECT_TRUE(widget(c.panel)->isVisible());
    }
}

TEST_F(WindowHandlers, ModeSwitchesEnableTheShopOnlyControlsAndRetitleTheColumns)
{
    Control const shop_only[] = {Control::选择框宝贝名, Control::选择框掌柜名, Control::选择框店铺名,
        Control::选择框过滤商城用户, Control::组合框类别};
    auto* list = qobject_cast<QTreeWidget*>(widget(Control::超级列表框店铺));
    ASSERT_NE(list, nullptr);
    QWidget* combo_box = widget(Control::组合框类别);
    QColor const default_button = combo_box->palette().color(QPalette::Active, QPalette::Button);
    ASSERT_NE(default_button, QColor(Qt::white));
    // A disabled location box shows that the item switch leaves it alone.
    form().SetEnabled(Control::编辑框所在地, false);
    form().SetChecked(Control::选择框掌柜名, false);
    std::map<Control, bool> checked_before;
    for (Control control : shop_only)
        checked_before[control] = form().IsChecked(control);

    Click(Control::单选框宝贝搜索);
    EXPECT_TRUE(form().IsChecked(Control::单选框宝贝搜索));
    EXPECT_FALSE(form().IsChecked(Control::单选框店铺搜索));
    for (Control control : shop_only) {
        EXPECT_FALSE(widget(control)->isEnabled()) << DefinitionOf(control).name;
        // Disabling keeps the checked state.
        EXPECT_EQ(form().IsChecked(control), checked_before[control]) << DefinitionOf(control).name;
    }
    EXPECT_FALSE(widget(Control::编辑框所在地)->isEnabled());
    EXPECT_EQ(list->headerItem()->text(3), QStringLiteral("宝贝标题"));
    EXPECT_EQ(list->headerItem()->text(7), QStringLiteral("宝贝地址"));
    EXPECT_EQ(window->Background(Control::组合框类别), std::nullopt);
    EXPECT_FALSE(combo_box->testAttribute(Qt::WA_SetPalette));
    EXPECT_EQ(combo_box->palette().color(QPalette::Active, QPalette::Button), default_button);

    Click(Control::单选框店铺搜索);
    EXPECT_TRUE(form().IsChecked(Control::单选框店铺搜索));
    for (Control control : shop_only)
        EXPECT_TRUE(widget(control)->isEnabled()) << DefinitionOf(control).name;
    EXPECT_TRUE(widget(Control::编辑框所在地)->isEnabled());
    EXPECT_EQ(list->headerItem()->text(3), QStringLiteral("店铺地址"));
    EXPECT_EQ(list->headerItem()->text(7), QString());
    for (Control control : shop_only)
        EXPECT_EQ(form().IsChecked(control), checked_before[control]) << DefinitionOf(control).name;
    EXPECT_EQ(window->Background(Control::组合框类别), BackgroundColour(White));
    EXPECT_EQ(combo_box->palette().color(QPalette::Active, QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(combo_box->palette().color(QPalette::Active, QPalette::Button), QColor(Qt::white));

    Click(Control::单选框宝贝搜索);
    EXPECT_EQ(window->Background(Control::组合框类别), std::nullopt);
    EXPECT_EQ(combo_box->palette().color(QPalette::Active, QPalette::Button), default_button);
}

TEST_F(WindowHandlers, SelectAllSetsTheTwentyLevelBoxesAndTag21)
{
    form().SetVisible(Control::分组框5, true);
    form().Move(Control::分组框5, 50, 150);
    form().SetChecked(Control::选择框星3, true);

    Click(Control::选择框1);
    ASSERT_TRUE(form().IsChecked(Control::选择框1));
    for (int level = 1; level <= 21; ++level)
        EXPECT_TRUE(form().IsChecked(LevelBox(level))) << level;
    // Check boxes without such a tag stay as they were.
    EXPECT_FALSE(form().IsChecked(Control::选择框仅在线));
    EXPECT_TRUE(form().IsChecked(Control::选择框去重复));

    Click(Control::选择框1);
    for (int level = 1; level <= 21; ++level)
        EXPECT_FALSE(form().IsChecked(LevelBox(level))) << level;
    EXPECT_TRUE(form().IsChecked(Control::选择框去重复));
}

TEST_F(WindowHandlers, ResetRunOnTheBuyerTabClearsOnlyTheBuyerList)
{
    for (Control list : {Control::超级列表框店铺, Control::超级列表框1}) {
        form().InsertRow(list, 0, "1");
        form().SetCell(list, 0, 1, "名字"_gbk);
        form().InsertRow(list, 1, "2");
    }
    StatusLog(form(), "开始采集数据 。。。"_gbk);
    ShowTab(1);
    ASSERT_EQ(form().CurrentTab(), 1);
    EXPECT_TRUE(window->Tabs().Page(1)->isVisible());
    EXPECT_FALSE(window->Tabs().Page(0)->isVisible());

    CollectionState& state = session().state;
    state.RowCounter = 3;
    state.SeenNames = "a/b/";
    ResetRun(form(), state);
    EXPECT_EQ(qobject_cast<QTreeWidget*>(widget(Control::超级列表框1))->topLevelItemCount(), 0);
    EXPECT_EQ(form().RowCount(Control::超级列表框店铺), 2);
    EXPECT_EQ(form().Cell(Control::超级列表框店铺, 0, 1), "名字"_gbk);
    EXPECT_EQ(form().GetText(Control::编辑框提示), "");
    EXPECT_EQ(qobject_cast<QPlainTextEdit*>(widget(Control::编辑框提示))->toPlainText(), QString());
    EXPECT_EQ(state.RowCounter, 1);
    EXPECT_EQ(state.SeenNames, "");

    ShowTab(0);
    ResetRun(form(), state);
    EXPECT_EQ(form().RowCount(Control::超级列表框店铺), 0);
}

TEST_F(WindowHandlers, StatusLogKeepsItsBytesAndShowsOneLinePerEntry)
{
    StatusLog(form(), "开始采集数据 。。。"_gbk);
    StatusLog(form(), "正在采集第"_gbk + "1" + "页。。。"_gbk);
    StatusLog(form(), "");
    EXPECT_EQ(form().GetText(Control::编辑框提示),
        "\xA1\xA4" + "开始采集数据 。。。"_gbk + "\r\n" + "\xA1\xA4" + "正在采集第1页。。。"_gbk + "\r\n"
            + "\xA1\xA4\r\n");
    EXPECT_EQ(qobject_cast<QPlainTextEdit*>(widget(Control::编辑框提示))->toPlainText(),
        QStringLiteral("·开始采集数据 。。。\n·正在采集第1页。。。\n·\n"));
}

TEST_F(WindowHandlers, AStartIsRefusedWhileTheOtherTabsRunIsActive)
{
    RunGate& gate = session().run_gate;
    ASSERT_TRUE(gate.TryBegin(form(), Control::按钮搜索卖家));
    EXPECT_TRUE(widget(Control::按钮搜索卖家)->isEnabled());
    for (Control other : {Control::按钮采集买家1, Control::按钮采集买家2}) {
        EXPECT_FALSE(widget(other)->isEnabled()) << DefinitionOf(other).name;
        EXPECT_FALSE(gate.TryBegin(form(), other));
        // The disabled button does not even report the click to the dispatch.
        ShowTab(1);
        QSignalSpy clicks(qobject_cast<QAbstractButton*>(widget(other)), &QAbstractButton::clicked);
        Click(other);
        EXPECT_EQ(clicks.count(), 0);
    }

    // The stop click keeps the stopped button disabled until its collector returns.
    gate.HoldStopped(form(), Control::按钮搜索卖家);
    EXPECT_FALSE(widget(Control::按钮搜索卖家)->isEnabled());
    EXPECT_FALSE(gate.TryBegin(form(), Control::按钮搜索卖家));
    gate.End(form());
    for (Control button : StartButtons)
        EXPECT_TRUE(widget(button)->isEnabled()) << DefinitionOf(button).name;
    EXPECT_TRUE(gate.TryBegin(form(), Control::按钮采集买家2));
    EXPECT_FALSE(widget(Control::按钮搜索卖家)->isEnabled());
    gate.End(form());
}

TEST_F(WindowHandlers, ClosingTheWindowStopsARunningCollection)
{
    auto* seller_start = qobject_cast<QAbstractButton*>(widget(Control::按钮搜索卖家));
    QSignalSpy clicks(seller_start, &QAbstractButton::clicked);
    QSignalSpy closed(window.get(), &MainWindow::Closed);

    // Idle: closing clicks nothing.
    window->close();
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(closed.count(), 1);

    window->show();
    ASSERT_TRUE(session().run_gate.TryBegin(form(), Control::按钮搜索卖家));
    form().SetText(Control::按钮搜索卖家, "停止"_gbk);
    window->close();
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(closed.count(), 2);
    session().run_gate.End(form());
}

TEST_F(WindowHandlers, AlwaysOnTopIsSwitchedOnAgainAtEveryActivation)
{
    QWidget other;
    other.resize(100, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_TRUE(form().IsAlwaysOnTop());
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window->isVisible());

    // A list double-click switches it off after opening a page...
    form().SetAlwaysOnTop(false);
    EXPECT_FALSE(form().IsAlwaysOnTop());
    EXPECT_FALSE(window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window->isVisible());
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_FALSE(form().IsAlwaysOnTop());

    // ...and coming back to the window switches it on again.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_TRUE(form().IsAlwaysOnTop());
    EXPECT_TRUE(window->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(WindowHandlers, HelpButtonAndContactLinkOpenTheirAddresses)
{
    Click(Control::按钮帮助);
    form().SetVisible(Control::分组框提示, true);
    QTest::mousePress(widget(Control::超级链接框1), Qt::LeftButton);
    QTest::mouseRelease(widget(Control::超级链接框1), Qt::LeftButton);
    // Another button than the left one opens nothing.
    QTest::mousePress(widget(Control::超级链接框1), Qt::RightButton);
    EXPECT_EQ(desktop.opened_urls,
        (std::vector<Text> {"http://127.0.0.1:9/help.htm", "tencent://Message/?uin=12345678"}));
}

TEST_F(WindowHandlers, UpdateButtonOpensNothingUntilTheUpdateWindowIsProvided)
{
    auto const windows_before = QApplication::topLevelWidgets().size();
    Click(Control::按钮更新);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windows_before);
    EXPECT_EQ(window->UpdateWindow(), nullptr);
}

TEST_F(WindowHandlers, UpdateButtonShowsTheProvidedWindowOnce)
{
    int made = 0;
    Session* given_session = nullptr;
    QWidget* given_main_window = nullptr;
    WindowOptions options {EmbeddedBrowsers::None, [&](Session& s, QWidget& main_window) -> QWidget* {
                               ++made;
                               given_session = &s;
                               given_main_window = &main_window;
                               auto* update_window = new QWidget();
                               update_window->setWindowTitle(QStringLiteral("自动更新"));
                               return update_window;
                           }};
    OpenWindow(std::move(options));

    Click(Control::按钮更新);
    ASSERT_EQ(made, 1);
    EXPECT_EQ(given_session, &session());
    EXPECT_EQ(given_main_window, window.get());
    QPointer<QWidget> update_window = window->UpdateWindow();
    ASSERT_NE(update_window, nullptr);
    EXPECT_TRUE(update_window->isVisible());
    EXPECT_TRUE(update_window->isWindow());
    EXPECT_EQ(update_window->parentWidget(), nullptr);
    EXPECT_FALSE(update_window->isModal());

    // While it is open the button brings it forward instead of making another.
    Click(Control::按钮更新);
    EXPECT_EQ(made, 1);

    // Closed, it is gone; the next click makes a new one.
    update_window->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(update_window.isNull());
    Click(Control::按钮更新);
    EXPECT_EQ(made, 2);

    // The main window takes its update window with it.
    update_window = window->UpdateWindow();
    window.reset();
    EXPECT_TRUE(update_window.isNull());
}

TEST_F(WindowHandlers, ExampleAddressesAndContactComeFromTheEndpoints)
{
    endpoints.ExampleShopAddress = "http://127.0.0.1:7/其他店铺/"_gbk;
    endpoints.ExampleItemAddress = "http://127.0.0.1:7/item.htm?id=1";
    endpoints.SupportContact = "99";
    OpenWindow({EmbeddedBrowsers::None, {}});
    EXPECT_EQ(form().GetText(Control::编辑框店铺地址), "http://127.0.0.1:7/其他店铺/"_gbk);
    EXPECT_EQ(form().GetText(Control::编辑框宝贝地址), "http://127.0.0.1:7/item.htm?id=1");
    EXPECT_EQ(form().GetText(Control::超级链接框1), "联系QQ  99"_gbk);
    EXPECT_EQ(session().endpoints.HelpPageUrl, endpoints.HelpPageUrl);
}

}
}
