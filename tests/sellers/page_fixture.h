// Fixture pages of the seller tests are written in UTF-8 so they can be read; the pages the
// marketplace serves are GBK, so every fixture is converted before it is parsed.
#pragma once

#include "support/fixtures.h"
#include "text/gbk.h"
#include "text/spaces.h"

#include <string_view>

namespace velmora::testing {

inline Text ReadGbkFixture(std::string_view relative_path)
{
    return Utf8ToGbk(ReadFixture(relative_path));
}

// A result page as the collectors see it: GBK with every space removed.
inline Text ReadPageTextFixture(std::string_view relative_path)
{
    return RemoveSpaces(ReadGbkFixture(relative_path));
}

}
