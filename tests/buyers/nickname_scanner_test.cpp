#include "buyers/nickname_scanner.h"
#include "support/fixtures.h"
#include "text/spaces.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmora {
namespace {

struct ScanResult {
    std::vector<Text> nicknames;
    ScanEnd end;
};

ScanResult ScanAll(std::string_view page, NicknameEnd end, int limit)
{
    NicknameScanner scanner(page, end, limit);
    ScanResult result {{}, ScanEnd::NotYet};
    while (auto nickname = scanner.Next())
        result.nicknames.push_back(*nickname);
    result.end = scanner.End();
    return result;
}

Text ShopEntries(int count)
{
    Text page;
    for (int i = 1; i <= count; ++i)
        page += "{\"displayUserNick\":\"n" + std::to_string(i) + "\",\"rate\":1}";
    return page;
}

Text ItemEntries(int count)
{
    Text page;
    for (int i = 1; i <= count; ++i)
        page += "{\"displayUserNick\":\"n" + std::to_string(i) + "\"}";
    return page;
}

std::vector<Text> Numbered(int count)
{
    std::vector<Text> names;
    for (int i = 1; i <= count; ++i)
        names.push_back("n" + std::to_string(i));
    return names;
}

TEST(NicknameScanner, SellerRatingCuts)
{
    struct {
        char const* what;
        Text page;
        std::vector<Text> nicknames;
        ScanEnd end;
    } const cases[] = {
        {"the nickname starts 18 bytes after the marker's first byte", "displayUserNick\":\"ab\",", {"ab"},
            ScanEnd::MarkerRanOut},
        {"whatever the three skipped bytes are", "displayUserNickXYZab\",", {"ab"}, ScanEnd::MarkerRanOut},
        {"the comma and exactly one byte before it are dropped", "displayUserNick\":\"ab\"z,", {"ab\""},
            ScanEnd::MarkerRanOut},
        {"GBK nickname", "displayUserNick\":\"" + "买家甲"_gbk + "\",", {"买家甲"_gbk},
            ScanEnd::MarkerRanOut},
        {"no comma after the nickname: empty, the scan ends", "displayUserNick\":\"ab\"}", {},
            ScanEnd::EmptyNickname},
        {"an empty nickname ends the scan before later entries", "displayUserNick\":\"\"," + ShopEntries(2),
            {}, ScanEnd::EmptyNickname},
        {"a comma right at the start", "displayUserNick\":\",", {}, ScanEnd::EmptyNickname},
        {"both kinds of space trimmed", "displayUserNick\":\" ab" + "　"_gbk + "\",", {"ab"},
            ScanEnd::MarkerRanOut},
        {"a nickname of spaces only is empty", "displayUserNick\":\"  \"," + ShopEntries(1), {},
            ScanEnd::EmptyNickname},
        {"the next search starts where the nickname starts", "displayUserNick\":\"displayUserNick\":\"ab\",",
            {"displayUserNick\":\"ab", "ab"}, ScanEnd::MarkerRanOut},
        {"marker at the very end of the page", "x displayUserNick", {}, ScanEnd::EmptyNickname},
        {"no marker", "{\"rateList\":[]}", {}, ScanEnd::MarkerRanOut},
        {"empty page", "", {}, ScanEnd::MarkerRanOut},
        {"marker letter case counts", "displayusernick\":\"ab\",", {}, ScanEnd::MarkerRanOut},
        {"39 entries", ShopEntries(39), Numbered(39), ScanEnd::MarkerRanOut},
        {"40 entries: all cut, no 41st search", ShopEntries(40), Numbered(40), ScanEnd::CutLimitReached},
        {"more than 40 entries: 40 cuts", ShopEntries(45), Numbered(40), ScanEnd::CutLimitReached},
    };
    for (auto const& c : cases) {
        auto result = ScanAll(c.page, NicknameEnd::BeforeCommaLessOne, ShopRatingCutLimit);
        EXPECT_EQ(result.nicknames, c.nicknames) << c.what;
        EXPECT_EQ(result.end, c.end) << c.what;
    }
}

TEST(NicknameScanner, ItemRatingCuts)
{
    struct {
        char const* what;
        Text page;
        std::vector<Text> nicknames;
        ScanEnd end;
    } const cases[] = {
        {"up to the next double quote", "displayUserNick\":\"ab\",\"x\":1", {"ab"}, ScanEnd::MarkerRanOut},
        {"a comma belongs to the nickname", "displayUserNick\":\"a,b\"", {"a,b"}, ScanEnd::MarkerRanOut},
        {"whatever the three skipped bytes are", "displayUserNick123ab\"", {"ab"}, ScanEnd::MarkerRanOut},
        {"GBK nickname", "displayUserNick\":\"" + "林间小鹿"_gbk + "\"", {"林间小鹿"_gbk},
            ScanEnd::MarkerRanOut},
        {"no quote after the nickname: empty, the page does not finish the run", "displayUserNick\":\"ab", {},
            ScanEnd::EmptyNickname},
        {"an empty nickname ends the scan before later entries", "displayUserNick\":\"\"" + ItemEntries(2),
            {}, ScanEnd::EmptyNickname},
        {"trimmed", "displayUserNick\":\"" + "　"_gbk + "ab \"", {"ab"}, ScanEnd::MarkerRanOut},
        {"no marker: the marker ran out", "{\"comments\":[]}", {}, ScanEnd::MarkerRanOut},
        {"empty page: the marker ran out", "", {}, ScanEnd::MarkerRanOut},
        {"14 entries: the 15th search runs out", ItemEntries(14), Numbered(14), ScanEnd::MarkerRanOut},
        {"15 entries: the page may go on", ItemEntries(15), Numbered(15), ScanEnd::CutLimitReached},
        {"more than 15 entries: 15 cuts", ItemEntries(20), Numbered(15), ScanEnd::CutLimitReached},
    };
    for (auto const& c : cases) {
        auto result = ScanAll(c.page, NicknameEnd::BeforeQuote, ItemRatingCutLimit);
        EXPECT_EQ(result.nicknames, c.nicknames) << c.what;
        EXPECT_EQ(result.end, c.end) << c.what;
    }
}

TEST(NicknameScanner, YieldsOneCutAtATime)
{
    Text page = ItemEntries(3);
    NicknameScanner scanner(page, NicknameEnd::BeforeQuote, ItemRatingCutLimit);
    EXPECT_EQ(scanner.Next(), "n1");
    EXPECT_EQ(scanner.End(), ScanEnd::NotYet);
    EXPECT_EQ(scanner.CutsMade(), 1);
    EXPECT_EQ(scanner.Next(), "n2");
    EXPECT_EQ(scanner.Next(), "n3");
    EXPECT_EQ(scanner.Next(), std::nullopt);
    EXPECT_EQ(scanner.End(), ScanEnd::MarkerRanOut);
    // An ended scan stays ended.
    EXPECT_EQ(scanner.Next(), std::nullopt);
    EXPECT_EQ(scanner.CutsMade(), 4);
}

TEST(NicknameScanner, SellerRatingFixturePage)
{
    Text page = RemoveSpaces(testing::ReadFixture("buyers/shop_ratings_page.htm"));
    auto result = ScanAll(page, NicknameEnd::BeforeCommaLessOne, ShopRatingCutLimit);
    std::vector<Text> expected = {"天涯小店"_gbk, "买**家"_gbk, "tb8812", "天涯小店"_gbk, "快乐的猫"_gbk};
    EXPECT_EQ(result.nicknames, expected);
    EXPECT_EQ(result.end, ScanEnd::MarkerRanOut);
}

TEST(NicknameScanner, ItemRatingFixturePage)
{
    Text page = RemoveSpaces(testing::ReadFixture("buyers/item_ratings_page.htm"));
    auto result = ScanAll(page, NicknameEnd::BeforeQuote, ItemRatingCutLimit);
    std::vector<Text> expected
        = {"林间小鹿"_gbk, "z**9", "qq12345", "林间小鹿"_gbk, "一二三四五六七八九十壹"_gbk};
    EXPECT_EQ(result.nicknames, expected);
    EXPECT_EQ(result.end, ScanEnd::MarkerRanOut);
}

}
}
