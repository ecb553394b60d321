#include "app/memory_form.h"
#include "sellers/date_window.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

enum class Window { AllTimes, Before, After, Between, NoneChecked };

struct Case {
    Window window;
    std::string_view bound; // 早于 or 晚于, or 介于 from
    std::string_view second_bound; // 介于 to
    std::string_view date;
    bool passes;
};

void Choose(MemoryForm& form, Case const& c)
{
    form.SetChecked(Control::单选框所有时间, c.window == Window::AllTimes);
    form.SetChecked(Control::单选框早于, c.window == Window::Before);
    form.SetChecked(Control::单选框晚于, c.window == Window::After);
    form.SetChecked(Control::单选框介于, c.window == Window::Between);
    form.SetText(Control::编辑框早于, Text(c.bound));
    form.SetText(Control::编辑框晚于, Text(c.bound));
    form.SetText(Control::编辑框介于1, Text(c.bound));
    form.SetText(Control::编辑框介于2, Text(c.second_bound));
}

TEST(PassesDateWindow, EachWindowWithItsBounds)
{
    using enum Window;
    constexpr Case cases[] = {
        {AllTimes, "2008-01-01", "", "1999-01-01", true},
        {AllTimes, "2008-01-01", "", "", true},
        {NoneChecked, "2008-01-01", "", "1999-01-01", true},

        {Before, "2008-01-01", "", "2008-01-01", true},
        {Before, "2008-01-01", "", "2007-12-31", true},
        {Before, "2008-01-01", "", "2008-01-02", false},
        {Before, "2008-01-01", "", "", true},
        {Before, "2008-01-01", "", "not a date", true},
        {Before, "2008-01-01 12:00:00", "", "2008-01-01 12:00:00", true},
        {Before, "2008-01-01 12:00:00", "", "2008-01-01 12:00:01", false},
        {Before, "2008-01-01", "", "2008-01-01 00:00:01", false},

        {After, "2008-01-01", "", "2008-01-01", true},
        {After, "2008-01-01", "", "2007-12-31", false},
        {After, "2008-01-01", "", "2008-01-02", true},
        {After, "2008-01-01", "", "", false},
        {After, "2008-01-01 12:00:00", "", "2008-01-01 12:00:00", true},
        {After, "2008-01-01 12:00:00", "", "2008-01-01 11:59:59", false},
        // An unreadable bound is the year 100 too.
        {After, "", "", "", true},
        {After, "later", "", "1999-01-01", true},

        {Between, "2008-01-01", "2011-01-01", "2008-01-01", true},
        {Between, "2008-01-01", "2011-01-01", "2011-01-01", true},
        {Between, "2008-01-01", "2011-01-01", "2009-06-15", true},
        {Between, "2008-01-01", "2011-01-01", "2011-01-02", false},
        {Between, "2008-01-01", "2011-01-01", "2007-12-31", false},
        {Between, "2008-01-01", "2011-01-01", "", false},
        {Between, "", "2011-01-01", "", true},
        {Between, "2008-01-01 08:00", "2008-01-01 08:00", "2008-01-01 08:00", true},
        {Between, "2011-01-01", "2008-01-01", "2009-06-15", false},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(::testing::Message()
            << static_cast<int>(c.window) << " " << c.bound << " " << c.second_bound << " / " << c.date);
        MemoryForm form;
        Choose(form, c);
        EXPECT_EQ(PassesDateWindow(form, c.date), c.passes);
    }
}

TEST(PassesDateWindow, ReadsThePanelAtEveryTest)
{
    MemoryForm form;
    form.SetChecked(Control::单选框所有时间, false);
    form.SetChecked(Control::单选框早于, true);
    form.SetText(Control::编辑框早于, "2008-01-01");
    EXPECT_FALSE(PassesDateWindow(form, "2009-01-01"));
    form.SetText(Control::编辑框早于, "2010-01-01");
    EXPECT_TRUE(PassesDateWindow(form, "2009-01-01"));
    form.SetChecked(Control::单选框早于, false);
    form.SetChecked(Control::单选框晚于, true);
    form.SetText(Control::编辑框晚于, "2009-06-01");
    EXPECT_FALSE(PassesDateWindow(form, "2009-01-01"));
}

TEST(PassesDateWindow, DesignedPanelPassesEverything)
{
    MemoryForm form;
    EXPECT_TRUE(PassesDateWindow(form, ""));
    EXPECT_TRUE(PassesDateWindow(form, "1999-01-01"));
}

}
}
