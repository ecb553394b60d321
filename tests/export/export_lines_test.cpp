#include "app/memory_form.h"
#include "export/export_lines.h"
#include "text/decimal.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ExportText, BuyerLinesHoldNicknamesOnly)
{
    MemoryForm form;
    Control const list = Control::超级列表框1;
    Text const nicknames[] = {"买家甲"_gbk, "b**c", ""};
    for (int row = 0; row < 3; ++row) {
        form.InsertRow(list, row, DecimalText(row + 1));
        form.SetCell(list, row, 1, nicknames[row]);
        form.SetCell(list, row, 2, "在线"_gbk);
    }
    EXPECT_EQ(ExportText(form, list), "买家甲"_gbk + "\r\nb**c\r\n\r\n");
    EXPECT_EQ(ExportText(MemoryForm {}, list), "");
}

TEST(ExportText, SellerLinesJoinColumnsOneToSevenByOneBlank)
{
    MemoryForm form;
    Control const list = Control::超级列表框店铺;
    form.InsertRow(list, 0, "1");
    form.InsertRow(list, 1, "2");
    form.SetCell(list, 0, 1, "a");
    form.SetCell(list, 0, 3, "c d");
    form.SetCell(list, 0, 7, "g");
    EXPECT_EQ(ExportText(form, list), "a  c d    g\r\n      \r\n");
}

} // namespace
} // namespace velmora
