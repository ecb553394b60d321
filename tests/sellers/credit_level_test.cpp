#include "sellers/credit_level.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

struct RankImageCase {
    std::string_view image;
    int number;
    std::string_view name; // UTF-8
};

TEST(CreditLevel, EveryRankImageNamesItsLevel)
{
    // The crowns (皇冠) are the s_cap images and the supreme crowns (至尊) the s_crown images.
    constexpr RankImageCase cases[] = {
        {"s_red_1", 1, "一心级"},
        {"s_red_2", 2, "二心级"},
        {"s_red_3", 3, "三心级"},
        {"s_red_4", 4, "四心级"},
        {"s_red_5", 5, "五心级"},
        {"s_blue_1", 6, "一蓝钻"},
        {"s_blue_2", 7, "二蓝钻"},
        {"s_blue_3", 8, "三蓝钻"},
        {"s_blue_4", 9, "四蓝钻"},
        {"s_blue_5", 10, "五蓝钻"},
        {"s_cap_1", 11, "一皇冠"},
        {"s_cap_2", 12, "二皇冠"},
        {"s_cap_3", 13, "三皇冠"},
        {"s_cap_4", 14, "四皇冠"},
        {"s_cap_5", 15, "五皇冠"},
        {"s_crown_1", 16, "一至尊"},
        {"s_crown_2", 17, "二至尊"},
        {"s_crown_3", 18, "三至尊"},
        {"s_crown_4", 19, "四至尊"},
        {"s_crown_5", 20, "五至尊"},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.image);
        CreditLevel const& level = LevelFromRankImage(c.image);
        EXPECT_EQ(level.number, c.number);
        EXPECT_EQ(level.rank_image, c.image);
        EXPECT_EQ(level.name, Utf8ToGbk(c.name));
        // The table is in order of number, so the row of a number is the same row.
        EXPECT_EQ(&CreditLevels()[c.number], &level);
    }
    EXPECT_EQ(CreditLevels().size(), 21u);
}

TEST(CreditLevel, OtherNamesGiveRowZero)
{
    constexpr std::string_view names[] = {
        "S_RED_1",
        "s_red_6",
        "s_red_1.gif",
        "",
        "s_red_0",
        "s_cap_6",
        "s_crown_0",
        " s_red_1",
        "s_red_1 ",
        "s_red_10",
        "s_red",
        "red_1",
    };
    for (auto name : names) {
        SCOPED_TRACE(name);
        CreditLevel const& level = LevelFromRankImage(name);
        EXPECT_EQ(level.number, 0);
        EXPECT_EQ(level.name, "0");
        EXPECT_EQ(level.rank_image, "");
    }
}

TEST(CreditLevel, NameFromNumberTakesOnlyThePlainDecimal)
{
    struct Case {
        std::string_view number;
        std::string_view name; // UTF-8
    };
    constexpr Case cases[] = {
        {"7", "二蓝钻"},
        {"20", "五至尊"},
        {"1", "一心级"},
        {"11", "一皇冠"},
        {"16", "一至尊"},
        {"0", "0"},
        {"21", "0"},
        {"07", "0"},
        {" 7", "0"},
        {"7 ", "0"},
        {"", "0"},
        {"+7", "0"},
        {"-1", "0"},
        {"7.0", "0"},
        {"二", "0"},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(LevelNameFromNumber(c.number), Utf8ToGbk(c.name));
    }
}

}
}
