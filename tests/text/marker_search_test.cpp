#include "text/gbk.h"
#include "text/marker_search.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

struct SearchCase {
    char const* name;
    Text text;
    Text marker;
    std::size_t from;
    std::optional<std::size_t> expected;
};

TEST(FindMarker, StepsOverDoubleByteCharacters)
{
    // 0xBC 0x68 is one double-byte character whose trail byte is the letter h.
    Text const trail_h = "\xBC\x68ref=";
    SearchCase const cases[] = {
        {"plain ascii", "a href=x", "href", 0, 2},
        {"trail byte h is not the start of href", trail_h, "href", 0, std::nullopt},
        {"a later real href is found past the trail byte", trail_h + " href", "href", 0, 7},
        {"chinese marker after chinese text", "共"_gbk + "5" + "页"_gbk, "页"_gbk, 0, 3},
        {"search starts at from", "abcabc", "abc", 1, 3},
        {"from at the end", "abc", "c", 3, std::nullopt},
        {"empty marker is never found", "abc", "", 0, std::nullopt},
        {"marker longer than text", "ab", "abc", 0, std::nullopt},
        {"case-sensitive", "HREF", "href", 0, std::nullopt},
        // B0 A1 A1 B0: the full-width space bytes A1 A1 straddle two characters.
        {"no match across a character boundary", "\xB0\xA1\xA1\xB0", "\xA1\xA1", 0, std::nullopt},
        {"a start position inside a character counts as a boundary", "\xB0\xA1\xA1\xB0", "\xA1\xA1", 1, 1},
    };
    for (auto const& c : cases)
        EXPECT_EQ(FindMarker(c.text, c.marker, c.from), c.expected) << c.name;
}

TEST(FindMarker, CandidatesInsideLongChineseRuns)
{
    // Many double-byte characters whose trail bytes spell the marker; only the real one counts.
    Text page;
    for (int i = 0; i < 1000; ++i)
        page += "\xBCh\xBCr\xBC"
                "e\xBC"
                "f";
    page += "<a href";
    EXPECT_EQ(FindMarker(page, "href"), page.size() - 4);
}

TEST(FindMarkerIgnoringCase, MatchesEitherCaseAtBoundariesOnly)
{
    EXPECT_EQ(FindMarkerIgnoringCase("xxHREFxx", "href"), 2u);
    EXPECT_EQ(FindMarkerIgnoringCase("xxhrefxx", "HREF"), 2u);
    EXPECT_EQ(FindMarkerIgnoringCase("\xBC\x68REF", "HREF"), std::nullopt);
    EXPECT_EQ(FindMarkerIgnoringCase("aXbx", "x", 2), 3u);
    EXPECT_EQ(FindMarkerIgnoringCase("abc", ""), std::nullopt);
}

TEST(FindLastMarkerIgnoringCase, StaysWithinTheLimit)
{
    EXPECT_EQ(FindLastMarkerIgnoringCase("[a][b]", "[", 6), 3u);
    EXPECT_EQ(FindLastMarkerIgnoringCase("[a][b]", "[", 3), 0u);
    EXPECT_EQ(FindLastMarkerIgnoringCase("ab", "ab", 1), std::nullopt);
}

}
}
