#include "sellers/credit_level.h"

#include "text/decimal.h"

#include <array>

namespace velmora {

namespace {

struct LevelRow {
    std::string_view rank_image;
    std::string_view name; // UTF-8
};

// "s_cap" images are the crowns (皇冠, 11 to 15) and "s_crown" images the supreme crowns
// (至尊, 16 to 20).
constexpr LevelRow Rows[] = {
    {"", "0"},
    {"s_red_1", "一心级"},
    {"s_red_2", "二心级"},
    {"s_red_3", "三心级"},
    {"s_red_4", "四心级"},
    {"s_red_5", "五心级"},
    {"s_blue_1", "一蓝钻"},
    {"s_blue_2", "二蓝钻"},
    {"s_blue_3", "三蓝钻"},
    {"s_blue_4", "四蓝钻"},
    {"s_blue_5", "五蓝钻"},
    {"s_cap_1", "一皇冠"},
    {"s_cap_2", "二皇冠"},
    {"s_cap_3", "三皇冠"},
    {"s_cap_4", "四皇冠"},
    {"s_cap_5", "五皇冠"},
    {"s_crown_1", "一至尊"},
    {"s_crown_2", "二至尊"},
    {"s_crown_3", "三至尊"},
    {"s_crown_4", "四至尊"},
    {"s_crown_5", "五至尊"},
};
static_assert(std::size(Rows) == HighestCreditLevel + 1);

std::array<CreditLevel, HighestCreditLevel + 1> BuildTable()
{
    std::array<CreditLevel, HighestCreditLevel + 1> table;
    for (int number = 0; number <= HighestCreditLevel; ++number)
        table[number] = {number, Rows[number].rank_image, Utf8ToGbk(Rows[number].name)};
    return table;
}

}

std::span<CreditLevel const> CreditLevels()
{
    static auto const table = BuildTable();
    return table;
}

CreditLevel const& LevelFromRankImage(std::string_view name)
{
    auto levels = CreditLevels();
    for (auto const& level : levels.subspan(1)) {
        if (level.rank_image == name)
            return level;
    }
    return levels[0];
}

Text const& LevelNameFromNumber(std::string_view number)
{
    auto levels = CreditLevels();
    for (auto const& level : levels.subspan(1)) {
        if (DecimalText(level.number) == number)
            return level.name;
    }
    return levels[0].name;
}

}
