#include "app/collection_state.h"
#include "app/memory_form.h"
#include "app/reset_run.h"
#include "app/run_gate.h"
#include "app/status_log.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(StatusLog, WritesMiddleDotLineAndCrLf)
{
    MemoryForm form;
    StatusLog(form, "开始采集数据 。。。"_gbk);
    StatusLog(form, "正在采集第"_gbk + "1" + "页。。。"_gbk);
    StatusLog(form, "");
    EXPECT_EQ(form.GetText(Control::编辑框提示),
        "\xA1\xA4" + "开始采集数据 。。。"_gbk + "\r\n\xA1\xA4" + "正在采集第1页。。。"_gbk
            + "\r\n\xA1\xA4\r\n");
}

TEST(ResetRun, ClearsOnlyTheCurrentTabsListAndTheRunFields)
{
    MemoryForm form;
    CollectionState state {7, 3, 2, "http://x", "a/b/", "42", "/1/", "16", "1", {}};
    form.InsertRow(Control::超级列表框店铺, 0, "1");
    form.InsertRow(Control::超级列表框1, 0, "1");
    form.SetText(Control::编辑框提示, "old log");

    form.SetCurrentTab(1);
    ResetRun(form, state);
    EXPECT_EQ(form.RowCount(Control::超级列表框1), 0);
    EXPECT_EQ(form.RowCount(Control::超级列表框店铺), 1);
    EXPECT_EQ(form.GetText(Control::编辑框提示), "");
    EXPECT_EQ(state.RowCounter, 1);
    EXPECT_EQ(state.PageCount, 0);
    EXPECT_EQ(state.CurrentPage, 1);
    EXPECT_EQ(state.CurrentUrl, "");
    EXPECT_EQ(state.SeenNames, "");
    // Kept: the seller id, the credit filter and the category ids.
    EXPECT_EQ(state.SellerUserId, "42");
    EXPECT_EQ(state.CreditFilterList, "/1/");
    EXPECT_EQ(state.CategoryId, "16");
    EXPECT_EQ(state.RootCategoryId, "1");

    form.SetCurrentTab(0);
    ResetRun(form, state);
    EXPECT_EQ(form.RowCount(Control::超级列表框店铺), 0);
}

TEST(SeenNames, WholeNamesOnly)
{
    CollectionState state;
    RememberName(state, "abc");
    RememberName(state, "中文"_gbk);
    EXPECT_EQ(state.SeenNames, "abc/" + "中文"_gbk + "/");
    EXPECT_TRUE(IsNameSeen(state, "abc"));
    EXPECT_TRUE(IsNameSeen(state, "中文"_gbk));
    EXPECT_FALSE(IsNameSeen(state, "ab"));
    EXPECT_FALSE(IsNameSeen(state, "bc"));
    EXPECT_FALSE(IsNameSeen(state, "c/中文"_gbk));
}

TEST(RunGate, OneRunAtATime)
{
    MemoryForm form;
    RunGate gate;
    ASSERT_TRUE(gate.TryBegin(form, Control::按钮采集买家1));
    EXPECT_FALSE(form.IsEnabled(Control::按钮搜索卖家));
    EXPECT_FALSE(form.IsEnabled(Control::按钮采集买家2));
    EXPECT_TRUE(form.IsEnabled(Control::按钮采集买家1));
    EXPECT_FALSE(gate.TryBegin(form, Control::按钮搜索卖家));

    // A stop click holds the stopped button until its collector returns.
    gate.HoldStopped(form, Control::按钮采集买家1);
    EXPECT_FALSE(form.IsEnabled(Control::按钮采集买家1));
    EXPECT_FALSE(gate.TryBegin(form, Control::按钮采集买家1));
    {
        RunScope returning(gate, form);
    }
    EXPECT_FALSE(gate.IsRunActive());
    for (Control button : StartButtons)
        EXPECT_TRUE(form.IsEnabled(button));
    EXPECT_TRUE(gate.TryBegin(form, Control::按钮搜索卖家));
}

TEST(MemoryForm, StartsAsDesignedAndKeepsRadioGroupsExclusive)
{
    MemoryForm form;
    EXPECT_EQ(form.GetText(Control::按钮搜索卖家), "开始"_gbk);
    EXPECT_EQ(form.GetText(Control::编辑框结束页), "10");
    EXPECT_TRUE(form.IsChecked(Control::单选框店铺搜索));
    EXPECT_TRUE(form.IsChecked(Control::选择框去重复));
    EXPECT_FALSE(form.IsEnabled(Control::按钮卖家信用));
    EXPECT_FALSE(form.IsVisible(Control::分组框提示));
    EXPECT_EQ(form.ColumnTitle(Control::超级列表框店铺, 3), "店铺地址"_gbk);

    form.SetChecked(Control::单选框宝贝搜索, true);
    EXPECT_FALSE(form.IsChecked(Control::单选框店铺搜索));
    form.SetChecked(Control::单选框介于, true);
    EXPECT_TRUE(form.IsChecked(Control::单选框宝贝搜索));
    EXPECT_FALSE(form.IsChecked(Control::单选框所有时间));
}

TEST(MemoryForm, RowsInsertAtTheirIndex)
{
    MemoryForm form;
    form.InsertRow(Control::超级列表框1, 0, "1");
    form.SetCell(Control::超级列表框1, 0, 1, "a");
    form.InsertRow(Control::超级列表框1, 1, "2");
    form.SetCell(Control::超级列表框1, 1, 2, "x");
    form.SetCell(Control::超级列表框1, 5, 1, "ignored");
    EXPECT_EQ(form.Row(Control::超级列表框1, 0), (std::vector<Text> {"1", "a", ""}));
    EXPECT_EQ(form.Row(Control::超级列表框1, 1), (std::vector<Text> {"2", "", "x"}));
    EXPECT_EQ(form.SelectedRow(Control::超级列表框1), -1);
    form.SelectRow(Control::超级列表框1, 1);
    EXPECT_EQ(form.SelectedRow(Control::超级列表框1), 1);
}

}
}
