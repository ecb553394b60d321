#include "app/memory_form.h"
#include "cli/row_output.h"

#include <gtest/gtest.h>

namespace velmora::cli {
namespace {

TEST(FormatRows, TsvIsUtf8WithEveryColumnAndExportIsGbkLines)
{
    MemoryForm form;
    Control const list = Control::超级列表框店铺;
    form.InsertRow(list, 0, "1");
    Text const cells[] = {"小桥"_gbk, "在线"_gbk, "店"_gbk, "杭州"_gbk, "", "", "http://i"};
    for (int column = 1; column <= 7; ++column)
        form.SetCell(list, 0, column, cells[column - 1]);

    EXPECT_EQ(FormatRows(form, list, OutputFormat::Tsv), "1\t小桥\t在线\t店\t杭州\t\t\thttp://i\n");
    EXPECT_EQ(FormatRows(form, list, OutputFormat::Export),
        "小桥"_gbk + " " + "在线"_gbk + " " + "店"_gbk + " " + "杭州"_gbk + "   http://i\r\n");
}

} // namespace
} // namespace velmora::cli
