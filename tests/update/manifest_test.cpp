#include "update/auto_update.h"
#include "update/manifest.h"
#include "update/version.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

Text const& Product()
{
    return "软件名称"_gbk;
}
Text const& Newest()
{
    return "最新版本"_gbk;
}
Text const& Address()
{
    return "下载地址"_gbk;
}
Text const& Notes()
{
    return "更新说明"_gbk;
}

// A manifest line: the key, the two separator bytes "：", the value.
Text Entry(Text const& key, Text const& value)
{
    return key + "："_gbk + value;
}

Text Manifest(std::initializer_list<Text> lines)
{
    Text text;
    for (auto const& line : lines)
        text += line + "\r\n";
    return text;
}

struct ManifestCase {
    char const* name;
    Text manifest;
    bool section_found;
    Text newest_version;
    Text download_address;
    Text notes;
    bool newer_than_running;
};

TEST(UpdateManifest, ReadsTheProgramsSection)
{
    Text const velmora = Entry(Product(), "Velmora");
    ManifestCase const cases[] = {
        {"dashes are removed: the same version", Manifest({velmora, Entry(Newest(), "2011-12-26")}), true,
            "20111226", "", "", false},
        {"dots are removed: the same version", Manifest({velmora, Entry(Newest(), "2011.12.26")}), true,
            "20111226", "", "", false},
        {"a later date is newer",
            Manifest({velmora, Entry(Newest(), "2012-01-05"), Entry(Address(), "http://u/new.exe")}), true,
            "20120105", "http://u/new.exe", "", true},
        {"an older version is not newer", Manifest({velmora, Entry(Newest(), "2011-01-01")}), true,
            "20110101", "", "", false},
        {"a version without leading digits reads as 0", Manifest({velmora, Entry(Newest(), "v2012")}), true,
            "v2012", "", "", false},
        {"two notes in manifest order",
            Manifest(
                {velmora, Entry(Notes(), "一"_gbk), Entry(Newest(), "2012"), Entry(Notes(), "二 b"_gbk)}),
            true, "2012", "", "一\r\n二 b\r\n"_gbk, false},
        {"empty notes are skipped",
            Manifest({velmora, Entry(Notes(), ""), Entry(Notes(), "   "), Entry(Notes(), "x")}), true, "", "",
            "x\r\n", false},
        {"the last version and address win",
            Manifest({velmora, Entry(Newest(), "2013-01-01"), Entry(Address(), "http://a"),
                Entry(Newest(), "2012-02-02"), Entry(Address(), "http://b")}),
            true, "20120202", "http://b", "", true},
        {"another product's section before is skipped",
            Manifest({Entry(Product(), "Other"), Entry(Newest(), "2099-01-01"),
                Entry(Address(), "http://other"), velmora, Entry(Newest(), "2011-12-26")}),
            true, "20111226", "", "", false},
        {"a section after the program's is never read",
            Manifest(
                {velmora, Entry(Newest(), "2012-01-05"), Entry(Product(), "Other"), Entry(Newest(), "2099"),
                    Entry(Notes(), "other"), Entry(Product(), "Velmora"), Entry(Newest(), "2098")}),
            true, "20120105", "", "", true},
        {"no section of the program", Manifest({Entry(Product(), "Velmora2"), Entry(Newest(), "2099")}),
            false, "", "", "", false},
        {"the product name must match exactly",
            Manifest({Entry(Product(), "velmora"), Entry(Newest(), "2099")}), false, "", "", "", false},
        {"lines are trimmed of both kinds of space before the key is read",
            Manifest({"  " + velmora + "　"_gbk, " 　"_gbk + Entry(Newest(), "2012-01-05  ")}), true,
            "20120105", "", "", true},
        {"any two separator bytes", Manifest({Product() + "=>Velmora", Newest() + "  2012.1.5"}), true,
            "201215", "", "", false},
        {"a line of 10 bytes has an empty value; one shorter than 8 bytes is its own key",
            Manifest({velmora, Newest() + "："_gbk, "最新版"_gbk, Entry(Notes(), "") + "", Notes()}), true,
            "", "", "", false},
        {"a last line without CR LF", velmora + "\r\n" + Entry(Newest(), "2012-01-05"), true, "20120105", "",
            "", true},
        {"nothing fetched", "", false, "", "", "", false},
    };
    for (auto const& test_case : cases) {
        SCOPED_TRACE(test_case.name);
        UpdateManifest const manifest = ReadUpdateManifest(test_case.manifest, "Velmora");
        EXPECT_EQ(manifest.section_found, test_case.section_found);
        EXPECT_EQ(manifest.newest_version, test_case.newest_version);
        EXPECT_EQ(manifest.download_address, test_case.download_address);
        EXPECT_EQ(manifest.notes, test_case.notes);
        EXPECT_EQ(IsNewerVersion(manifest.newest_version, "20111226"), test_case.newer_than_running);
    }
}

TEST(UpdateManifest, SplitsAtCrLfOnly)
{
    EXPECT_TRUE(ManifestLines("").empty());
    EXPECT_EQ(ManifestLines("a\r\nb\nc\r\n"), (std::vector<std::string_view> {"a", "b\nc", ""}));
}

TEST(RunningVersion, FromTheCaptionWithAtMostTwoDashesRemoved)
{
    struct Case {
        std::string_view caption;
        Text version;
    };
    Case const cases[] = {
        {"Velmora [2011-1226]", "20111226"},
        {"Velmora [2011-12-26]", "20111226"},
        {"x [1-2-3-4] [9]", "123-4"},
        {"no brackets", ""},
        {"Velmora [2011-1226", ""},
    };
    for (auto const& test_case : cases)
        EXPECT_EQ(RunningVersion(test_case.caption), test_case.version) << test_case.caption;
}

TEST(VersionNumber, ReadsLeadingDigits)
{
    EXPECT_EQ(VersionNumber("20111226"), 20111226.0);
    EXPECT_EQ(VersionNumber("123-4"), 123.0);
    EXPECT_EQ(VersionNumber(""), 0.0);
    EXPECT_EQ(VersionNumber("-5"), 0.0);
    // Longer than any machine integer: still compared by value.
    EXPECT_TRUE(IsNewerVersion("100000000000000000000000", "99999999999999999999"));
    EXPECT_FALSE(IsNewerVersion("20111226", "20111226"));
    EXPECT_TRUE(IsNewerVersion("20111227", "20111226"));
}

TEST(NewVersionQuestion, VersionLineNotesAndQuestion)
{
    Text const question = "是否现在开始更新？"_gbk;
    Text const version_line = "最新版本："_gbk + "20120105\r\n\r\n";
    EXPECT_EQ(NewVersionQuestion("20120105", ""), version_line + question);
    // Notes of nothing but spaces count as empty.
    EXPECT_EQ(NewVersionQuestion("20120105", "  　"_gbk), version_line + question);
    UpdateManifest const blank_notes = ReadUpdateManifest(
        Manifest({Entry(Product(), "Velmora"), Entry(Notes(), "   "), Entry(Notes(), "　 "_gbk)}), "Velmora");
    EXPECT_EQ(NewVersionQuestion("20120105", blank_notes.notes), version_line + question);
    EXPECT_EQ(
        NewVersionQuestion("20120105", "一\r\n二\r\n"_gbk), version_line + "一\r\n二\r\n\r\n"_gbk + question);
}

}
}
