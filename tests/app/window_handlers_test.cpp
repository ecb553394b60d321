// The window's own handlers on the in-memory form: what the creation handler does in order,
// and the handlers that work without a real window (the headless front end has no frame).
#include "app/click_dispatch.h"
#include "app/memory_form.h"
#include "app/window_handlers.h"
#include "web/event_pump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

// Records what the handlers ask of the window's frame, in order.
class RecordingFrame final : public WindowFrame {
public:
    int Width() const override { return width; }
    void SetWidth(int new_width) override
    {
        calls.push_back("width " + std::to_string(new_width));
        width = new_width;
    }
    void ShowBanner(Text const& url, Rect place) override
    {
        calls.push_back("banner " + url);
        banner_place = place;
    }
    BackgroundColour Background(Control) const override { return background; }
    void SetBackground(Control control, BackgroundColour colour) override
    {
        calls.push_back(std::string("background ") + (colour ? "white" : "default"));
        background = colour;
    }
    void OpenUpdateWindow() override { calls.push_back("update window"); }

    int width {MainWindowDesignedPlace.width};
    Rect banner_place {};
    BackgroundColour background;
    std::vector<std::string> calls;
};

class WindowHandlersOnMemoryForm : public ::testing::Test {
protected:
    MemoryForm form;
    WindowlessEventPump pump;
    RecordingDesktop desktop;
    Session session {form, pump, desktop, Endpoints::Marketplace()};
    RecordingFrame frame;
};

TEST_F(WindowHandlersOnMemoryForm, CreationHandlerSetsTheWindowUp)
{
    session.frame = &frame;
    SetUpMainWindow(session);
    EXPECT_EQ(form.Place(Control::分组框提示), (Rect {212, 150, 234, 200}));
    EXPECT_FALSE(form.IsVisible(Control::分组框提示));
    EXPECT_EQ(
        frame.calls, (std::vector<std::string> {"width 573", "banner " + session.endpoints.BannerPageUrl}));
    EXPECT_EQ(frame.banner_place, (Rect {43, 504, 470, 62}));
    EXPECT_EQ(form.ItemCount(Control::组合框类别), 67);
    EXPECT_EQ(form.GetText(Control::组合框类别), "所有类目"_gbk);
    EXPECT_EQ(form.FocusedControl(), Control::分组框4);
}

TEST_F(WindowHandlersOnMemoryForm, WithoutAWindowTheFormIsStillPrepared)
{
    SetUpMainWindow(session);
    EXPECT_EQ(form.ItemCount(Control::组合框类别), 67);
    OnClick(session, Control::单选框宝贝搜索);
    EXPECT_FALSE(form.IsEnabled(Control::组合框类别));
    EXPECT_EQ(form.ColumnTitle(Control::超级列表框店铺, 3), "宝贝标题"_gbk);
    OnClick(session, Control::按钮更新);
    EXPECT_TRUE(desktop.opened_urls.empty());
}

TEST_F(WindowHandlersOnMemoryForm, ModeSwitchesSetTheCategoryBoxColour)
{
    session.frame = &frame;
    OnClick(session, Control::单选框店铺搜索);
    EXPECT_EQ(frame.background, BackgroundColour(White));
    OnClick(session, Control::单选框宝贝搜索);
    EXPECT_EQ(frame.background, std::nullopt);
    OnClick(session, Control::按钮更新);
    EXPECT_EQ(frame.calls.back(), "update window");
}

TEST_F(WindowHandlersOnMemoryForm, ActivationPutsTheWindowOnTopOnlyWhenItIsNot)
{
    OnMainWindowActivated(form);
    EXPECT_TRUE(form.IsAlwaysOnTop());
    form.SetAlwaysOnTop(false);
    OnMainWindowActivated(form);
    EXPECT_TRUE(form.IsAlwaysOnTop());
}

TEST_F(WindowHandlersOnMemoryForm, OtherClicksAreLeftToTheirOwnHandlers)
{
    for (Control control :
        {Control::按钮搜索卖家, Control::按钮采集买家1, Control::按钮提取买家, Control::选择框仅在线})
        EXPECT_FALSE(HandleWindowClick(session, control)) << DefinitionOf(control).name;
}

}
}
