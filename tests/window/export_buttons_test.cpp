// The export buttons of the main window save their lists through the session's save dialog.
#include "window_fixture.h"

#include "app/program_file.h"
#include "export/save_file_request.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

class AnsweringChooser final : public SaveFileChooser {
public:
    explicit AnsweringChooser(fs::path answer)
        : m_answer(std::move(answer))
    {
    }
    Text ChooseSaveFile(SaveFileRequest const& request) override
    {
        default_names.push_back(request.default_name);
        return TextFromPath(m_answer);
    }
    std::vector<Text> default_names;

private:
    fs::path m_answer;
};

std::string FileBytes(fs::path const& path)
{
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

TEST_F(WindowTest, ExportButtonsSaveTheirLists)
{
    std::random_device seed;
    fs::path const folder = fs::temp_directory_path() / ("velmora-export-buttons-" + std::to_string(seed()));
    fs::create_directories(folder);
    AnsweringChooser chooser(folder / "list.txt");
    session().save_file_chooser = &chooser;

    form().InsertRow(Control::超级列表框店铺, 0, "1");
    for (int column = 1; column < 8; ++column)
        form().SetCell(Control::超级列表框店铺, 0, column, column == 5 ? "" : std::to_string(column));
    Click(Control::按钮提取卖家);

    ShowTab(1);
    form().InsertRow(Control::超级列表框1, 0, "1");
    form().SetCell(Control::超级列表框1, 0, 1, "买家一"_gbk);
    form().SetCell(Control::超级列表框1, 0, 2, "在线"_gbk);
    Click(Control::按钮提取买家);

    EXPECT_EQ(chooser.default_names, (std::vector<Text> {"卖家信息"_gbk, "买家信息"_gbk}));
    EXPECT_EQ(FileBytes(folder / "list.txt"), "1 2 3 4  6 7\r\n\r\n" + "买家一"_gbk + "\r\n");
    Text const saved = "\xA1\xA4" + "文件已经保存。。。"_gbk + "\r\n";
    EXPECT_EQ(form().GetText(Control::编辑框提示), saved + saved);
    fs::remove_all(folder);
}

}
}
