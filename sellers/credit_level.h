// The marketplace's twenty credit levels: five each of hearts, blue diamonds, crowns and
// supreme crowns, each drawn as a rank image whose file name names it.
#pragma once

#include "text/gbk.h"

#include <span>
#include <string_view>

namespace velmora {

struct CreditLevel {
    int number; // 1 to 20; 0 stands for a level that was not found
    std::string_view rank_image; // the image file's name without ".gif"; empty for row 0
    Text name; // GBK, shown in the seller list's column 信用值
};

constexpr int HighestCreditLevel = 20;

// The level table: row 0 first, then the levels 1 to 20 in order of number.
std::span<CreditLevel const> CreditLevels();

// The row whose rank image name is exactly name (letter case and all); row 0 for any other
// text, the empty text included.
CreditLevel const& LevelFromRankImage(std::string_view name);

// The name of the level whose number, written in decimal without leading zeros or blanks,
// is exactly number ("1" to "20"); "0" for anything else.
Text const& LevelNameFromNumber(std::string_view number);

}
