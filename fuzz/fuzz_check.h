// What every fuzz target checks besides not crashing: a failed check prints what broke and
// aborts, which libFuzzer reports as a crash and saves the input for.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace velmora::fuzz {

[[noreturn]] inline void CheckFailed(char const* condition, char const* file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

// Whether part lies wholly inside the bytes of whole: a view a parser hands back must point
// into the text it was given.
inline bool LiesWithin(std::string_view part, std::string_view whole)
{
    if (part.empty())
        return true;
    auto const* begin = whole.data();
    auto const* end = begin + whole.size();
    return part.data() >= begin && part.data() + part.size() <= end;
}

// Whether a cut text is made of bytes that stand together in whole: a field cut from a page
// holds no byte that is not on the page.
inline bool IsCutFrom(std::string_view part, std::string_view whole)
{
    return whole.find(part) != std::string_view::npos;
}

}

#define VELMORA_FUZZ_CHECK(condition)                                                                        \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            ::velmora::fuzz::CheckFailed(#condition, __FILE__, __LINE__);                                    \
    } while (false)
