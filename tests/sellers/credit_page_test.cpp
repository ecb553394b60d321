#include "sellers/seller_credit.h"

#include "sellers/page_fixture.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using testing::ReadGbkFixture;

constexpr std::string_view ImageHost = "img.test";

TEST(ReadCreditPage, LevelFromTheRankImageAndDateAfterTheLabel)
{
    SellerCredit credit = ReadCreditPage(ReadGbkFixture("sellers/credit_page.html"), ImageHost);
    EXPECT_EQ(credit.level.number, 13);
    EXPECT_EQ(credit.level.name, "三皇冠"_gbk);
    EXPECT_EQ(credit.date, "2008-05-12");
}

TEST(ReadCreditPage, LabelBeforeTheRankImageIsNotSeen)
{
    SellerCredit credit
        = ReadCreditPage(ReadGbkFixture("sellers/credit_page_label_before_image.html"), ImageHost);
    EXPECT_EQ(credit.level.number, 7);
    EXPECT_EQ(credit.date, "");
}

TEST(ReadCreditPage, WithoutTheImageHostsRankImageTheDateIsSearchedFromTheStart)
{
    // The rank image of another host is not the marker; the date stands as the page writes
    // it, line breaks and blanks included.
    SellerCredit credit = ReadCreditPage(ReadGbkFixture("sellers/credit_page_without_image.html"), ImageHost);
    EXPECT_EQ(credit.level.number, 0);
    EXPECT_EQ(credit.level.name, "0");
    EXPECT_EQ(credit.date, "\n   2009-11-30 10:20:30\n");
}

TEST(ReadCreditPage, SmallPages)
{
    struct Case {
        std::string_view page; // UTF-8
        int level;
        std::string_view date;
    };
    constexpr Case cases[] = {
        {"", 0, ""},
        {"img.test/newrank/s_red_1.gif<span>创店时间</span>2010-01-01<", 1, "2010-01-01"},
        {"img.test/newrank/s_crown_5.gif", 20, ""},
        // No ".gif" after the marker: no name.
        {"img.test/newrank/s_red_1.png 创店时间</span>2010-01-01<", 0, "2010-01-01"},
        // A name outside the table, and the name up to the first ".gif" only.
        {"img.test/newrank/s_red_9.gif", 0, ""},
        {"img.test/newrank/s_red_1.gif.gif", 1, ""},
        {"IMG.TEST/newrank/s_red_1.gif", 0, ""},
        // The label's "</span>" or the closing "<" missing.
        {"img.test/newrank/s_red_2.gif 创店时间 2010-01-01<", 2, ""},
        {"img.test/newrank/s_red_2.gif 创店时间</span>2010-01-01", 2, ""},
        // The date begins 7 bytes after "</span>" and ends at the first "<".
        {"创店时间</span><b>2010-01-01</b>", 0, ""},
        {"创店时间：</span>x</span>2010<", 0, "x"},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.page);
        SellerCredit credit = ReadCreditPage(Utf8ToGbk(c.page), ImageHost);
        EXPECT_EQ(credit.level.number, c.level);
        EXPECT_EQ(credit.date, Utf8ToGbk(c.date));
    }
}

}
}
