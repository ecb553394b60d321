#include "text/gbk.h"
#include "web/text_between.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(TextBetween, Cases)
{
    struct {
        char const* name;
        Text text, start, end;
        SearchDirection direction;
        long start_position;
        Text expected;
    } const cases[] = {
        {"forward", "a[x]b[y]c", "[", "]", SearchDirection::Forward, 1, "x"},
        {"from the end", "a[x]b[y]c", "[", "]", SearchDirection::FromTheEnd, 1, "y"},
        {"forward from position 5", "a[x]b[y]c", "[", "]", SearchDirection::Forward, 5, "y"},
        {"start position below 1 counts as 1", "a[x]b", "[", "]", SearchDirection::Forward, -4, "x"},
        {"lower-case marker matches capitals", "<A HREF=1>", "href=", ">", SearchDirection::Forward, 1, "1"},
        {"capital marker matches lower case", "<a href=2>", "HREF=", ">", SearchDirection::Forward, 1, "2"},
        {"first match in either case", "Ab1bAB2b", "ab", "b", SearchDirection::Forward, 1, "1"},
        {"no end marker after the start", "a[xyz", "[", "]", SearchDirection::Forward, 1, ""},
        {"end marker only before the start", "]a[x", "[", "]", SearchDirection::Forward, 1, ""},
        {"adjacent markers", "a[]b", "[", "]", SearchDirection::Forward, 1, ""},
        {"empty text", "", "[", "]", SearchDirection::Forward, 1, ""},
        {"empty start marker", "a[x]", "", "]", SearchDirection::Forward, 1, ""},
        {"empty end marker", "a[x]", "[", "", SearchDirection::Forward, 1, ""},
        {"from the end without a start before the end", "]x[", "[", "]", SearchDirection::FromTheEnd, 1, ""},
        {"caption version", "Velmora [2011-1226]", "[", "]", SearchDirection::Forward, 1, "2011-1226"},
        {"multi-byte markers", "&amp;cat=16&amp;", "&amp;cat=", "&", SearchDirection::Forward, 1, "16"},
        {"chinese text between", "[" + "中文"_gbk + "]", "[", "]", SearchDirection::Forward, 1, "中文"_gbk},
        // 0xDB 0x5B is one character whose trail byte is "[": it is no start marker.
        {"trail byte is no marker", "\xDB[x]", "[", "]", SearchDirection::Forward, 1, ""},
    };
    for (auto const& c : cases)
        EXPECT_EQ(TextBetween(c.text, c.start, c.end, c.direction, c.start_position), c.expected) << c.name;
}

}
}
