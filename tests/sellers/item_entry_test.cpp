#include "sellers/item_entry.h"

#include "sellers/item_search_page.h"
#include "sellers/page_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmora {
namespace {

using testing::ReadPageTextFixture;

std::vector<std::string_view> AllEntries(ItemEntryScanner scanner)
{
    std::vector<std::string_view> entries;
    while (auto entry = scanner.Next())
        entries.push_back(*entry);
    return entries;
}

struct ExpectedEntry {
    std::string_view item_link;
    std::string_view title; // UTF-8
    std::string_view location;
    std::string_view seller_link;
    std::string_view nickname;
};

void ExpectEntry(ItemEntry const& entry, ExpectedEntry const& expected)
{
    EXPECT_EQ(entry.item_link, Utf8ToGbk(expected.item_link));
    EXPECT_EQ(entry.title, Utf8ToGbk(expected.title));
    EXPECT_EQ(entry.location, Utf8ToGbk(expected.location));
    EXPECT_EQ(entry.seller_link, Utf8ToGbk(expected.seller_link));
    EXPECT_EQ(entry.nickname, Utf8ToGbk(expected.nickname));
}

TEST(ItemEntryScanner, EntriesBeginAfterTheMarkerAndEndBeforeTheNext)
{
    struct Case {
        std::string_view block; // UTF-8
        std::vector<std::string_view> entries;
    };
    Case const cases[] = {
        {"", {}},
        {"no entries here", {}},
        // The text before the first marker is no entry; the last runs to the end of the block.
        {"head<liclass=\"list-item\">abc<liclass=\"list-item\">def", {"abc", "def"}},
        // Two markers side by side: an empty entry, and the next marker is still found from
        // the byte before it.
        {"<liclass=\"list-item\"><liclass=\"list-item\">a", {"", "a"}},
        {"<liclass=\"list-item\">", {""}},
        // A double-byte character right before the next marker stays in the entry.
        {"<liclass=\"list-item\">包邮<liclass=\"list-item\">店", {"包邮", "店"}},
        // Another spelling is no marker.
        {"<li class=\"list-item\">a<LIclass=\"list-item\">b", {}},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.block);
        Text block = Utf8ToGbk(c.block);
        std::vector<Text> expected;
        for (auto entry : c.entries)
            expected.push_back(Utf8ToGbk(entry));
        std::vector<std::string_view> found = AllEntries(ItemEntryScanner(block));
        EXPECT_EQ(std::vector<Text>(found.begin(), found.end()), expected);
    }
}

TEST(ItemEntryScanner, AtMostFortyEntries)
{
    Text block;
    for (int i = 0; i < 45; ++i)
        block += Text(ItemEntryMarker) + "e" + std::to_string(i);
    std::vector<std::string_view> entries = AllEntries(ItemEntryScanner(block));
    ASSERT_EQ(entries.size(), MaxEntriesPerPage);
    EXPECT_EQ(entries.front(), "e0");
    EXPECT_EQ(entries.back(), "e39");

    ItemEntryScanner scanner(block);
    for (std::size_t i = 0; i < MaxEntriesPerPage; ++i)
        ASSERT_TRUE(scanner.Next());
    EXPECT_FALSE(scanner.Next());
    EXPECT_FALSE(scanner.Next());
}

TEST(CutListItemEntry, FixturePage)
{
    Text page = ReadPageTextFixture("sellers/list_layout_page.html");
    std::vector<std::string_view> entries = AllEntries(ItemEntryScanner(ListBlock(page)));
    ASSERT_EQ(entries.size(), 3u);
    ExpectEntry(CutListItemEntry(entries[0]),
        {"http://item.test/item.htm?id=101", "红色真丝连衣裙", "浙江杭州",
            "http://rate.test/user-rate-101.htm", "小明的店"});
    // Character references stay as the page writes them.
    ExpectEntry(CutListItemEntry(entries[1]),
        {"http://item.test/item.htm?id=102", "A&amp;B短裙", "上海", "http://rate.test/user-rate-102.htm",
            "衣柜"});
    ExpectEntry(CutListItemEntry(entries[2]),
        {"http://item.test/item.htm?id=103", "长裙", "", "http://rate.test/user-rate-103.htm", "zz_shop"});
}

TEST(CutListItemEntry, OffsetsAndDroppedBytes)
{
    struct Case {
        std::string_view entry; // UTF-8, spaces removed
        ExpectedEntry expected;
    };
    Case const cases[] = {
        // Each field begins right after its attribute's opening quote or its tag's ">", and
        // the link and the title lose their closing quote.
        {"<ahref=\"L\"target=\"_blank\"title=\"T\">x</a><pclass=\"place\">P</p><pclass=\"seller\">"
         "<ahref=\"S\"target=\"_blank\">N</a>",
            {"L", "T", "P", "S", "N"}},
        // The title ends one byte before the first ">" after it, whatever stands there.
        {"<ahref=\"L\"target=\"\"title=\"T\"id=\"7\">x</a>seller<ahref=\"S\"target=\"\">N</a>",
            {"L", "T\"id=\"7", "", "S", "N"}},
        // The seller's link is the first href after the word seller, not an earlier one.
        {"<ahref=\"L\"target=\"\"title=\"T\">x</a><pclass=\"place\">P</p><ahref=\"other\"target=\"\">o</a>"
         "<pclass=\"seller\"><ahref=\"S\"target=\"\">N</a>",
            {"L", "T", "P", "S", "N"}},
        // A missing place leaves the seller to be searched from the title on.
        {"<ahref=\"L\"target=\"\"title=\"T\">x</a><pclass=\"seller\"><ahref=\"S\"target=\"\">N</a>",
            {"L", "T", "", "S", "N"}},
        // The end marker is searched from the field's beginning, within the entry: a link
        // without a target attribute of its own runs up to the seller's.
        {"<ahref=\"L\"title=\"T\">x</a><pclass=\"place\">P</p>seller<ahref=\"S\"target=\"\">N</a>",
            {"L\"title=\"T\">x</a><pclass=\"place\">P</p>seller<ahref=\"S", "T", "P", "S", "N"}},
        // No end marker at all: the links are empty, the rest is still cut.
        {"<ahref=\"L\"title=\"T\">x</a><pclass=\"place\">P</p>seller<ahref=\"S\">N</a>",
            {"", "T", "P", "", "N"}},
        // An empty link text is an empty nickname.
        {"<ahref=\"L\"target=\"\"title=\"T\">x</a><pclass=\"place\">P</p>seller<ahref=\"S\"target=\"\"></a>",
            {"L", "T", "P", "S", ""}},
        {"", {"", "", "", "", ""}},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.entry);
        ExpectEntry(CutListItemEntry(Utf8ToGbk(c.entry)), c.expected);
    }
}

TEST(CutEnlargedItemEntry, FixturePage)
{
    Text page = ReadPageTextFixture("sellers/enlarged_layout_page.html");
    std::vector<std::string_view> entries = AllEntries(ItemEntryScanner(ResultBlock(page)));
    ASSERT_EQ(entries.size(), 2u);
    ExpectEntry(CutEnlargedItemEntry(entries[0]),
        {"http://item.test/item.htm?id=201", "蓝色衬衫", "北京", "http://rate.test/user-rate-201.htm",
            "大华商行"});
    ExpectEntry(CutEnlargedItemEntry(entries[1]),
        {"http://item.test/item.htm?id=202", "西装", "广东深圳", "http://mall.test/shop/202.htm",
            "品牌旗舰店"});
}

TEST(CutEnlargedItemEntry, OffsetsAndDroppedBytes)
{
    struct Case {
        std::string_view entry; // UTF-8, spaces removed
        ExpectedEntry expected;
    };
    Case const cases[] = {
        {"<ahref=\"L\"target=\"\"title=\"T\">x</a><pclass=\"loc\">P</"
         "p><pclass=\"seller\"><ahref=\"S\"target=\"\">N</a>",
            {"L", "T", "P", "S", "N"}},
        // The title ends at the first double quote after its beginning.
        {"<ahref=\"L\"target=\"\"title=\"T\"id=\"7\">x</a>\"loc\">P<seller\"><ahref=\"S\"target=\"\">N</a>",
            {"L", "T", "P", "S", "N"}},
        // The seller's link begins 16 bytes after the word seller, whatever the 10 bytes are.
        {"<ahref=\"L\"target=\"\"title=\"T\"\"loc\">P<seller0123456789S2target>N<",
            {"L", "T", "P", "S", "N"}},
        // loc without its quotes is not the location's marker.
        {"<ahref=\"L\"target=\"\"title=\"T\"class=loc>P<seller\"><ahref=\"S\"target=\"\">N</a>",
            {"L", "T", "", "S", "N"}},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.entry);
        ExpectEntry(CutEnlargedItemEntry(Utf8ToGbk(c.entry)), c.expected);
    }
}

}
}
