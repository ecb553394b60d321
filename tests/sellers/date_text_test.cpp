#include "sellers/date_text.h"

#include "text/gbk.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using namespace std::chrono;

DateTime At(int y, unsigned m, unsigned d, int hh = 0, int mm = 0, int ss = 0)
{
    return sys_days {year {y} / m / d} + hours {hh} + minutes {mm} + seconds {ss};
}

TEST(ReadDateText, ReadableForms)
{
    struct Case {
        std::string_view text; // UTF-8
        DateTime date;
    };
    Case const cases[] = {
        {"2008-01-01", At(2008, 1, 1)},
        {"2008/1/2", At(2008, 1, 2)},
        {"2008.12.31", At(2008, 12, 31)},
        {"2008年1月1日", At(2008, 1, 1)},
        {"2011年10月09日", At(2011, 10, 9)},
        {"2008-01-01 12:30", At(2008, 1, 1, 12, 30)},
        {"2008-01-01 23:59:59", At(2008, 1, 1, 23, 59, 59)},
        {"2008年1月1日 8:05:09", At(2008, 1, 1, 8, 5, 9)},
        {"2008-02-29", At(2008, 2, 29)},
        // A date cut from a credit page may carry the page's blanks and line breaks.
        {" 2008-05-12\r\n", At(2008, 5, 12)},
        {"\t2008-05-12　", At(2008, 5, 12)},
        {"100-1-1", At(100, 1, 1)},
        {"9999-12-31", At(9999, 12, 31)},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadDateText(Utf8ToGbk(c.text)), c.date);
    }
}

TEST(ReadDateText, UnreadableIsTheFirstOfJanuaryOfTheYear100)
{
    constexpr std::string_view texts[] = {
        "",
        " ",
        "abc",
        "2008",
        "2008-01",
        "2008-13-01",
        "2008-00-10",
        "2008-02-30",
        "2009-02-29",
        "2008-01-01x",
        "2008-01/01",
        "2008年1月1",
        "2008年1-1",
        "99-01-01",
        "10000-01-01",
        "2008-01-01 24:00",
        "2008-01-01 12:60",
        "2008-01-01 12",
        "2008-01-01 12:30:",
        "2008-1-1-1",
        "-2008-01-01",
        "2008--01-01",
        "２００８-01-01",
    };
    for (auto text : texts) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ReadDateText(Utf8ToGbk(text)), UnreadableDate);
    }
    EXPECT_EQ(UnreadableDate, At(100, 1, 1));
    EXPECT_LT(UnreadableDate, ReadDateText("100-01-02"));
}

TEST(DaysBetween, RealNumberOfDays)
{
    EXPECT_DOUBLE_EQ(DaysBetween(At(2008, 1, 1), At(2008, 1, 2)), 1.0);
    EXPECT_DOUBLE_EQ(DaysBetween(At(2008, 1, 2), At(2008, 1, 1)), -1.0);
    EXPECT_DOUBLE_EQ(DaysBetween(At(2008, 1, 1), At(2008, 1, 2, 12)), 1.5);
    EXPECT_DOUBLE_EQ(DaysBetween(At(2008, 1, 1), At(2011, 1, 1)), 1096.0);
    EXPECT_NEAR(DaysBetween(At(2008, 1, 1, 12), At(2008, 1, 1, 12, 0, 1)), 1.0 / 86400, 1e-12);
}

}
}
