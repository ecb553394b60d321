#include "app/click_dispatch.h"
#include "app/memory_form.h"
#include "app/program_file.h"
#include "app/session.h"
#include "export/save_file_request.h"
#include "export/whole_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <random>

#include <signal.h>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <unistd.h>

namespace velmora {

void PrintTo(FileFilter const& filter, std::ostream* out)
{
    *out << "{" << GbkToUtf8(filter.display_name) << ", " << GbkToUtf8(filter.pattern) << "}";
}

namespace {

namespace fs = std::filesystem;

class TemporaryFolder {
public:
    TemporaryFolder()
    {
        std::random_device seed;
        m_path = fs::temp_directory_path() / ("velmora-export-" + std::to_string(seed()));
        fs::create_directories(m_path);
    }
    ~TemporaryFolder()
    {
        std::error_code error;
        fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, error);
        fs::remove_all(m_path, error);
    }
    fs::path const& Path() const { return m_path; }

private:
    fs::path m_path;
};

std::optional<std::string> FileBytes(fs::path const& path)
{
    std::ifstream stream(path, std::ios::binary);
    if (!stream)
        return std::nullopt;
    return std::string {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

void WriteBytes(fs::path const& path, std::string const& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Answers the save dialog with one path and keeps the request it was shown.
class AnsweringChooser final : public SaveFileChooser {
public:
    explicit AnsweringChooser(Text answer)
        : m_answer(std::move(answer))
    {
    }
    Text ChooseSaveFile(SaveFileRequest const& request) override
    {
        requests.push_back(request);
        return m_answer;
    }
    std::vector<SaveFileRequest> requests;

private:
    Text m_answer;
};

using Row = std::vector<Text>;

struct ExportWorld {
    MemoryForm form;
    WindowlessEventPump pump;
    RecordingDesktop desktop;
    Session session {form, pump, desktop, Endpoints::Marketplace()};

    void AddRow(Control list, Row const& cells)
    {
        int const row = form.RowCount(list);
        form.InsertRow(list, row, DecimalRowNumber(row + 1));
        for (std::size_t column = 0; column < cells.size(); ++column)
            form.SetCell(list, row, static_cast<int>(column) + 1, cells[column]);
    }
    static Text DecimalRowNumber(int number) { return std::to_string(number); }

    Text Log() const { return form.GetText(Control::编辑框提示); }
};

Text LogLine(Text const& line)
{
    return "\xA1\xA4" + line + "\r\n";
}

enum class Button {
    Buyers,
    Sellers,
};

Control ButtonControl(Button button)
{
    return button == Button::Buyers ? Control::按钮提取买家 : Control::按钮提取卖家;
}

Control ListControl(Button button)
{
    return button == Button::Buyers ? Control::超级列表框1 : Control::超级列表框店铺;
}

struct ExportCase {
    char const* name;
    Button button;
    std::vector<Row> rows;
    std::optional<std::string> existing; // the file's content before the first export
    int exports;
    std::string expected;
};

TEST(Export, WritesTheListLinesAfterWhatTheFileHeld)
{
    Text const 王 = "王小二"_gbk;
    Text const 李 = "李四"_gbk;
    Text const 在线 = "在线"_gbk;
    ExportCase const cases[] = {
        {"empty list to a new file", Button::Buyers, {}, std::nullopt, 1, ""},
        {"empty list to an existing file", Button::Sellers, {}, "old\r\n", 1, "old\r\n\r\n"},
        {"existing content is read up to its first NUL", Button::Buyers, {}, std::string("ab\0cd", 5), 1,
            "ab\r\n"},
        {"buyer file holds nicknames only, in list order", Button::Buyers,
            {{王, 在线}, {李, "离线"_gbk}, {"a b", " -  "}}, std::nullopt, 1,
            王 + "\r\n" + 李 + "\r\na b\r\n"},
        {"two exports into one file leave one empty line between the blocks", Button::Buyers, {{王}, {李}},
            std::nullopt, 2, 王 + "\r\n" + 李 + "\r\n\r\n" + 王 + "\r\n" + 李 + "\r\n"},
        {"seller row: columns 1 to 7, one blank each", Button::Sellers,
            {{王, 在线, "t", "杭州"_gbk, "3", "2010-01-02", "http://i"}}, std::nullopt, 1,
            王 + " " + 在线 + " t " + "杭州"_gbk + " 3 2010-01-02 http://i\r\n"},
        {"empty credit and date cells put their blanks side by side", Button::Sellers,
            {{王, 在线, "t", "x", "", "", "http://i"}}, std::nullopt, 1,
            王 + " " + 在线 + " t x   http://i\r\n"},
        {"a seller row of empty cells is six blanks", Button::Sellers, {{"", "", "", "", "", "", ""}},
            std::nullopt, 1, "      \r\n"},
        {"seller export after existing content", Button::Sellers, {{"a", "b", "c", "d", "e", "f", "g"}}, "x",
            1, "x\r\na b c d e f g\r\n"},
    };
    for (auto const& test_case : cases) {
        SCOPED_TRACE(test_case.name);
        TemporaryFolder folder;
        fs::path const file = folder.Path() / PathFromText("买家信息.txt"_gbk);
        if (test_case.existing)
            WriteBytes(file, *test_case.existing);
        ExportWorld world;
        for (auto const& row : test_case.rows)
            world.AddRow(ListControl(test_case.button), row);
        AnsweringChooser chooser(TextFromPath(file));
        world.session.save_file_chooser = &chooser;

        Text expected_log;
        for (int run = 0; run < test_case.exports; ++run) {
            OnClick(world.session, ButtonControl(test_case.button));
            expected_log += LogLine("文件已经保存。。。"_gbk);
        }
        EXPECT_EQ(FileBytes(file), test_case.expected);
        EXPECT_EQ(world.Log(), expected_log);
        // Only the target is left in the folder: no temporary file stays behind.
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
    }
}

TEST(Export, CancelledDialogWritesAndLogsNothing)
{
    TemporaryFolder folder;
    ExportWorld world;
    world.AddRow(Control::超级列表框1, {"a"});
    AnsweringChooser cancelled("");
    world.session.save_file_chooser = &cancelled;
    OnClick(world.session, Control::按钮提取买家);
    world.session.save_file_chooser = nullptr; // a window without a dialog
    OnClick(world.session, Control::按钮提取卖家);
    EXPECT_EQ(cancelled.requests.size(), 1u);
    EXPECT_EQ(world.Log(), "");
}

TEST(Export, AsksForATextFileInTheProgramsFolder)
{
    ExportWorld world;
    AnsweringChooser chooser("");
    world.session.save_file_chooser = &chooser;
    OnClick(world.session, Control::按钮提取买家);
    OnClick(world.session, Control::按钮提取卖家);
    ASSERT_EQ(chooser.requests.size(), 2u);

    Text const program_folder = TextFromPath(RunningProgramFile().directory) + "/";
    for (auto const& request : chooser.requests) {
        EXPECT_EQ(request.title, "保存文件"_gbk);
        EXPECT_EQ(request.filters, (std::vector<FileFilter> {{"文本文件"_gbk, "*.txt"}}));
        EXPECT_EQ(request.initial_directory, program_folder);
        EXPECT_EQ(request.default_extension, "txt");
        EXPECT_TRUE(request.confirm_overwrite);
        EXPECT_TRUE(request.folder_must_exist);
    }
    EXPECT_EQ(chooser.requests[0].default_name, "买家信息"_gbk);
    EXPECT_EQ(chooser.requests[1].default_name, "卖家信息"_gbk);
}

TEST(SaveFileRequest, PreparesFiltersAndFolder)
{
    struct Case {
        char const* name;
        Text filter_text;
        std::vector<FileFilter> filters;
    };
    Case const cases[] = {
        {"the wide separator", "文本文件丨*.txt"_gbk, {{"文本文件"_gbk, "*.txt"}}},
        {"spaces of both kinds are dropped", " 文本 文件　丨 *.txt　"_gbk, {{"文本文件"_gbk, "*.txt"}}},
        {"several pairs, either separator", "a|*.a丨b文件丨*.b"_gbk, {{"a", "*.a"}, {"b文件"_gbk, "*.b"}}},
        // D8 AD inside two other characters (xD8 ADx) is no separator.
        {"separator bytes across two characters", "\xB0\xD8\xAD\xB0|*.x", {{"\xB0\xD8\xAD\xB0", "*.x"}}},
        {"a name without a pattern is dropped", "a|*.a|b", {{"a", "*.a"}}},
    };
    for (auto const& test_case : cases) {
        SCOPED_TRACE(test_case.name);
        EXPECT_EQ(PrepareSaveFileRequest(test_case.filter_text, "/x", "n").filters, test_case.filters);
    }

    struct FolderCase {
        Text given;
        Text prepared;
    };
    FolderCase const folders[] = {
        {"/home/a/", "/home/a/"},
        {"/home/a", "/home/a/"},
        {"/", "/"},
        // 5C as the second byte of a double-byte character is no folder separator.
        {"/home/\x81\x5C", "/home/\x81\x5C/"},
    };
    for (auto const& folder : folders)
        EXPECT_EQ(PrepareSaveFileRequest("", folder.given, "n").initial_directory, folder.prepared)
            << folder.given;
}

// Runs a piece of code with the file-system rights of an ordinary user, so that folder
// permissions hold also when the tests run as root.
class AsOrdinaryUser {
public:
    static constexpr uid_t Nobody = 65534;
    AsOrdinaryUser()
        : m_previous(setfsuid(Nobody))
    {
    }
    ~AsOrdinaryUser() { setfsuid(m_previous); }

private:
    uid_t m_previous;
};

struct FailureWorld {
    TemporaryFolder folder;
    fs::path file = folder.Path() / "list.txt";
    ExportWorld world;
    AnsweringChooser chooser {TextFromPath(file)};

    FailureWorld()
    {
        WriteBytes(file, "old content\r\n");
        world.AddRow(Control::超级列表框1, {"a"});
        world.session.save_file_chooser = &chooser;
    }

    void ExpectOldFileKeptAndFailureLogged()
    {
        EXPECT_EQ(FileBytes(file), "old content\r\n");
        EXPECT_EQ(world.Log(), LogLine("文件保存失败。。。"_gbk));
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
    }
};

TEST(ExportFailure, ReadOnlyFolderKeepsTheOldFile)
{
    FailureWorld failure;
    fs::permissions(failure.folder.Path(),
        fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read
            | fs::perms::others_exec);
    {
        AsOrdinaryUser ordinary;
        OnClick(failure.world.session, Control::按钮提取买家);
    }
    failure.ExpectOldFileKeptAndFailureLogged();
}

TEST(ExportFailure, WriteCutShortKeepsTheOldFile)
{
    // A file-size limit below the combined text makes the write itself fail, as a full disk
    // would; it binds root as well.
    FailureWorld failure;
    rlimit previous {};
    getrlimit(RLIMIT_FSIZE, &previous);
    auto const previous_handler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 8;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    OnClick(failure.world.session, Control::按钮提取买家);
    setrlimit(RLIMIT_FSIZE, &previous);
    signal(SIGXFSZ, previous_handler);
    failure.ExpectOldFileKeptAndFailureLogged();
}

TEST(ExportFailure, FolderThatIsAFileLogsTheFailure)
{
    TemporaryFolder folder;
    WriteBytes(folder.Path() / "plain", "x");
    ExportWorld world;
    AnsweringChooser chooser(TextFromPath(folder.Path() / "plain" / "list.txt"));
    world.session.save_file_chooser = &chooser;
    OnClick(world.session, Control::按钮提取卖家);
    EXPECT_EQ(world.Log(), LogLine("文件保存失败。。。"_gbk));
    EXPECT_EQ(FileBytes(folder.Path() / "plain"), "x");
}

TEST(ReplaceWholeFile, KeepsPermissionsAndWritesThroughALink)
{
    TemporaryFolder folder;
    fs::path const target = folder.Path() / "target.txt";
    WriteBytes(target, "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(target, folder.Path() / "link.txt");

    ASSERT_EQ(ReplaceWholeFile(folder.Path() / "link.txt", "new"), WriteOutcome::Written);
    EXPECT_TRUE(fs::is_symlink(folder.Path() / "link.txt"));
    EXPECT_EQ(FileBytes(target), "new");
    EXPECT_EQ(fs::status(target).permissions(),
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

}
}
