#include "text/cut.h"
#include "text/decimal.h"
#include "text/gbk.h"
#include "text/spaces.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(Gbk, ConvertsCodePage936BothWays)
{
    EXPECT_EQ("中"_gbk, "\xD6\xD0");
    EXPECT_EQ("·"_gbk, "\xA1\xA4");
    EXPECT_EQ(GbkToUtf8("\x80"), "€");
    EXPECT_EQ(GbkToUtf8("\xD6\xD0"
                        "abc"),
        "中abc");
    EXPECT_EQ(Utf8ToGbk(GbkToUtf8("开始采集数据 。。。"_gbk)), "开始采集数据 。。。"_gbk);
}

TEST(Gbk, KeepsTheRestOfTheTextAroundBadBytes)
{
    // A lead byte at the very end, and one followed by a byte that cannot trail it.
    EXPECT_EQ(GbkToUtf8("ab\xD6"), "ab\xEF\xBF\xBD");
    EXPECT_EQ(GbkToUtf8("\xD6"
                        "1x"),
        "\xEF\xBF\xBD"
        "1x");
    // A character GBK has no place for, and a broken UTF-8 sequence.
    EXPECT_EQ(Utf8ToGbk("a😀b"), "a?b");
    EXPECT_EQ(Utf8ToGbk("a\xE4\xB8"
                        "b"),
        "a?b");
}

TEST(Cut, BoundsRules)
{
    struct {
        std::int64_t start, length;
        char const* expected;
    } const cases[] = {
        {0, 3, "abc"},
        {1, 2, "bc"},
        {2, 99, "cdef"},
        {-1, 3, ""},
        {6, 1, ""},
        {5, 1, "f"},
        {0, 0, ""},
        {0, -2, ""},
    };
    for (auto const& c : cases)
        EXPECT_EQ(Cut("abcdef", c.start, c.length), c.expected) << c.start << "," << c.length;
}

TEST(CutBetween, EmptyWhenAnEndIsMissingOrReversed)
{
    EXPECT_EQ(CutBetween("abcdef", 1, 4), "bcd");
    EXPECT_EQ(CutBetween("abcdef", 4, 1), "");
    EXPECT_EQ(CutBetween("abcdef", 2, 2), "");
    EXPECT_EQ(CutBetween("abcdef", std::nullopt, 4), "");
    EXPECT_EQ(CutBetween("abcdef", 1, std::nullopt), "");
    EXPECT_EQ(CutBetween("abcdef", 3, 100), "def");
}

TEST(Spaces, RemovesBothKindsAtCharacterBoundariesOnly)
{
    Text const full_width = "\xA1\xA1";
    EXPECT_EQ(RemoveSpaces(" a b" + full_width + "c\t\r\n "), "abc\t\r\n");
    // B0 A1 and A1 B0 are two characters; their middle bytes are no full-width space.
    EXPECT_EQ(RemoveSpaces("\xB0\xA1\xA1\xB0"), "\xB0\xA1\xA1\xB0");
    EXPECT_EQ(RemoveSpaces("\xB0\xA1 \xA1\xA1\xA1\xB0"), "\xB0\xA1\xA1\xB0");
    EXPECT_EQ(RemoveSpaces(""), "");
}

TEST(Spaces, TrimsBothKindsAtBothEnds)
{
    Text const full_width = "\xA1\xA1";
    EXPECT_EQ(TrimSpaces(full_width + " a b " + full_width), "a b");
    EXPECT_EQ(TrimSpaces("\xB0\xA1\xA1\xB0"), "\xB0\xA1\xA1\xB0");
    EXPECT_EQ(TrimSpaces("  "), "");
    EXPECT_EQ(TrimSpaces("\tx\t"), "\tx\t");
}

TEST(Decimal, ReadsLeadingDigitsAndWritesWithoutLeadingZeros)
{
    EXPECT_EQ(DecimalText(40), "40");
    EXPECT_EQ(DecimalText(0), "0");
    EXPECT_EQ(DecimalText(-7), "-7");
    struct {
        char const* text;
        std::int64_t expected;
    } const cases[] = {
        {"10", 10},
        {"007", 7},
        {"12页", 12},
        {"abc", 0},
        {"", 0},
        {" 7", 0},
        {"-3", -3},
        {"+4x", 4},
        {"20111226", 20111226},
        {"99999999999999999999999", INT64_MAX},
    };
    for (auto const& c : cases)
        EXPECT_EQ(ReadLeadingInteger(c.text), c.expected) << c.text;
}

}
}
