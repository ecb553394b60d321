// The checks both rating scans share: a scan makes at most its limit of cuts, yields only
// trimmed, non-empty nicknames made of the page's bytes, and says why it ended.
#pragma once

#include "buyers/nickname_scanner.h"
#include "fuzz/fuzz_check.h"
#include "text/spaces.h"

#include <string_view>

namespace velmora::fuzz {

inline void ScanNicknames(std::string_view page, NicknameEnd end, int cut_limit)
{
    NicknameScanner scanner(page, end, cut_limit);
    int yielded = 0;
    while (auto nickname = scanner.Next()) {
        ++yielded;
        VELMORA_FUZZ_CHECK(!nickname->empty());
        VELMORA_FUZZ_CHECK(TrimSpaces(*nickname) == *nickname);
        VELMORA_FUZZ_CHECK(IsCutFrom(*nickname, page));
    }
    VELMORA_FUZZ_CHECK(scanner.CutsMade() <= cut_limit);
    VELMORA_FUZZ_CHECK(yielded <= scanner.CutsMade());
    VELMORA_FUZZ_CHECK(scanner.End() != ScanEnd::NotYet);
    VELMORA_FUZZ_CHECK((scanner.End() == ScanEnd::CutLimitReached) == (yielded == cut_limit));
    // An ended scan stays ended.
    VELMORA_FUZZ_CHECK(!scanner.Next().has_value());
}

}
