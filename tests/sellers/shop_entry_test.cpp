// Cutting the table region of a shop search page into entries and each entry into its
// fields, without the network.
#include "sellers/shop_entry.h"

#include "sellers/page_fixture.h"
#include "sellers/shop_search_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

using testing::ReadPageTextFixture;

// The rating host the fixture regions link to.
constexpr std::string_view FixtureRatingHost = "rate.example.com";

// The delimiter with the nine bytes that follow it before an entry begins (-->, the line
// break and "<trcl"), as a page writes it once its spaces are gone.
Text Delimited(std::string_view entry_utf8)
{
    return "大图模式增加-->\n<trcl"_gbk + Utf8ToGbk(entry_utf8);
}

// An entry whose fields are numbered by i.
Text EntryText(int i, std::string_view extra = "")
{
    std::string const n = std::to_string(i);
    return Delimited("ass=\"list-item\"><td><dl><dt><ahref=\"http://shop.example.com/shop/" + n
        + "/\"class=\"shop-name\">店" + n + "</a></dt><dd>掌柜：<ahref=\"http://rate.example.com/user-rate-"
        + n + ".htm\"target=\"_blank\">掌柜" + n + "</a>" + std::string(extra)
        + "</dd></dl></td><td><p>杭州</p></td><td><adata-rank=\"" + n + "\"href=\"x\"></a></td></tr>\n<!--");
}

std::vector<Text> AllEntries(std::string_view region, std::size_t limit = MaxShopEntriesPerPage)
{
    std::vector<Text> entries;
    ShopEntryScanner scanner(region, limit);
    while (auto entry = scanner.Next())
        entries.emplace_back(*entry);
    return entries;
}

TEST(ShopEntryScanner, EntriesBeginTwentyOneBytesAfterTheDelimiterAndLoseTheirLastByte)
{
    struct Case {
        std::string_view region; // UTF-8
        std::vector<std::string_view> entries;
    };
    Case const cases[] = {
        {"", {}},
        {"表格内容循环开始 no shops", {}},
        // The byte before the next delimiter and the last byte of the region are not part of an
        // entry; the text before the first delimiter is none.
        {"head大图模式增加123456789abcX大图模式增加123456789defY", {"abc", "def"}},
        // The nine bytes after the delimiter are skipped whatever they are, and the "s" right
        // before the next delimiter is left out.
        {"大图模式增加-->\n<trclass大图模式增加-->\n<trclZ", {"as", ""}},
        // Fewer than 21 bytes after the last delimiter: an empty entry.
        {"大图模式增加12", {""}},
        // A delimiter right where the entry would begin starts the next entry.
        {"大图模式增加123456789大图模式增加123456789ab", {"", "a"}},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.region);
        std::vector<Text> expected;
        for (auto entry : c.entries)
            expected.push_back(Utf8ToGbk(entry));
        EXPECT_EQ(AllEntries(Utf8ToGbk(c.region)), expected);
    }
}

TEST(ShopEntryScanner, LooksAtNoMoreThanTheLimit)
{
    Text region;
    for (int i = 0; i < 45; ++i)
        region += Delimited("e" + std::to_string(i) + "|");
    auto const entries = AllEntries(region);
    ASSERT_EQ(entries.size(), MaxShopEntriesPerPage);
    EXPECT_EQ(entries.front(), "e0");
    EXPECT_EQ(entries.back(), "e39");
    EXPECT_EQ(AllEntries(region, 3).size(), 3u);
}

struct ExpectedFields {
    std::string_view shop_address;
    std::string_view nickname; // UTF-8
    std::string_view location; // UTF-8
    std::string_view credit_value;
};

void ExpectFields(std::optional<ShopEntry> const& cut, ExpectedFields const& expected)
{
    ASSERT_TRUE(cut.has_value());
    EXPECT_EQ(cut->shop_address, Utf8ToGbk(expected.shop_address));
    EXPECT_EQ(cut->nickname, Utf8ToGbk(expected.nickname));
    EXPECT_EQ(cut->location, Utf8ToGbk(expected.location));
    EXPECT_EQ(cut->credit_value, Utf8ToGbk(expected.credit_value));
}

TEST(CutShopEntry, EachFieldFromWhereTheMarkerBeforeItWasFound)
{
    // One entry per line of the fixture; each after the first lacks one marker.
    Text const fixture = ReadPageTextFixture("sellers/shop_entries_missing_markers.html");
    std::vector<Text> entries = AllEntries(fixture);
    ExpectedFields const expected[] = {
        // Every marker in place.
        {"http://shop.example.com/shop/1/", "小鱼儿的衣橱", "杭州", "7"},
        // No link to the rating host: the nickname and every field after it are empty.
        {"http://shop.example.com/shop/2/", "", "", ""},
        // No <td> after the nickname: location and credit are empty.
        {"http://shop.example.com/shop/3/", "蓝色海岸线", "", ""},
        // No </p>: the location is empty, the credit is still searched from its <p>.
        {"http://shop.example.com/shop/4/", "糖果美美", "", "12"},
        // No data-rank=: only the credit is empty.
        {"http://shop.example.com/shop/5/", "芊芊小屋", "苏州", ""},
        // No href= anywhere: nothing can be cut after <dt>.
        {"", "", "", ""},
        // The shop link without class: its address runs to the byte before the next "class".
        {"http://shop.example.com/shop/7/\"target=\"_blank\">米兰时尚馆</a></dt>\n<d", "米兰小铺", "北京",
            "16"},
        // A shop link of seven bytes, and one without a closing quote that ends before it
        // begins.
        {"http://", "阿狸家", "杭州", "1"},
        {"", "淑女坊2008", "广州", "9"},
        {"http://a", "紫罗兰的梦", "武汉", "14"},
    };
    ASSERT_EQ(entries.size(), std::size(expected));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE("entry " + std::to_string(i + 1));
        ExpectFields(CutShopEntry(entries[i], FixtureRatingHost), expected[i]);
    }
}

TEST(CutShopEntry, WithoutDtThereIsNoEntry)
{
    EXPECT_FALSE(CutShopEntry("<dd><ahref=\"http://rate.example.com/x\">a</a></dd>", FixtureRatingHost));
    EXPECT_FALSE(CutShopEntry("", FixtureRatingHost));
    // The marker is case-sensitive.
    EXPECT_FALSE(CutShopEntry("<DT><ahref=\"http://a/\"class=\"b\">", FixtureRatingHost));
}

TEST(CutShopEntry, NicknameComesOnlyFromTheRatingHostGiven)
{
    Text const entry = EntryText(3);
    EXPECT_EQ(CutShopEntry(entry, "rate.example.com")->nickname, "掌柜3"_gbk);
    // Another host, or the same host without its slash, is not the link.
    EXPECT_EQ(CutShopEntry(entry, "rate.example.co")->nickname, "");
    // The shop's own host stands before the link text the search starts from.
    EXPECT_EQ(CutShopEntry(entry, "shop.example.com")->nickname, "");
}

// Records what the scan hands over and answers the mall question as told.
class RecordingHandler final : public ShopEntryHandler {
public:
    explicit RecordingHandler(bool passes_over_mall_shops)
        : m_passes_over(passes_over_mall_shops)
    {
    }

    bool PassesOverMallShop() override
    {
        ++mall_questions;
        return m_passes_over;
    }

    void Take(ShopEntry const& entry) override
    {
        nicknames.push_back(entry.nickname);
        entries.push_back(entry);
    }

    int mall_questions {0};
    std::vector<Text> nicknames;
    std::vector<ShopEntry> entries;

private:
    bool m_passes_over;
};

std::vector<Text> Keepers(std::vector<int> numbers)
{
    std::vector<Text> nicknames;
    for (int n : numbers)
        nicknames.push_back("掌柜"_gbk + std::to_string(n));
    return nicknames;
}

TEST(ScanShopEntries, AtMostFortyEntriesEvenWhenMoreAreOnThePage)
{
    Text region = "表格内容循环开始"_gbk;
    for (int i = 1; i <= 45; ++i)
        region += EntryText(i);
    RecordingHandler handler(true);
    ScanShopEntries(region, FixtureRatingHost, MallIconSwitch::On, handler);
    std::vector<int> first_forty;
    for (int i = 1; i <= 40; ++i)
        first_forty.push_back(i);
    EXPECT_EQ(handler.nicknames, Keepers(first_forty));
}

TEST(ScanShopEntries, AnEntryWithoutDtEndsThePage)
{
    Text const without_dt = Delimited("ass=\"list-item\"><td><dl><dd>掌柜：<ahref=\"http://rate.example.com/"
                                      "user-rate-9.htm\">掌柜9</a></dd></dl></td></tr>\n<!--");
    Text const region = EntryText(1) + EntryText(2) + without_dt + EntryText(3);
    RecordingHandler handler(true);
    ScanShopEntries(region, FixtureRatingHost, MallIconSwitch::On, handler);
    EXPECT_EQ(handler.nicknames, Keepers({1, 2}));
}

TEST(ScanShopEntries, MallIconsArePassedOverOnlyWithTheSwitchOnAndWhenTheHandlerSaysSo)
{
    Text const icon = "<!--商城店铺icon-->"_gbk;
    // Entry 2 carries the icon; the mall entry 4 has no <dt>, which ends the scan only when
    // the entry is cut.
    Text const mall_without_dt = Delimited("ass=\"list-item\">" + GbkToUtf8(icon) + "</tr>\n<!--");
    Text region
        = EntryText(1) + EntryText(2, GbkToUtf8(icon)) + EntryText(3) + mall_without_dt + EntryText(5);
    // Forty-one entries with 2 and 4 among them: both count towards the forty.
    for (int i = 6; i <= 41; ++i)
        region += EntryText(i);

    struct Case {
        MallIconSwitch mall_icons;
        bool passes_over;
        std::vector<int> taken;
        int questions;
    };
    std::vector<int> from_five;
    for (int i = 5; i <= 40; ++i)
        from_five.push_back(i);
    std::vector<int> passed_over = {1, 3};
    passed_over.insert(passed_over.end(), from_five.begin(), from_five.end());
    Case const cases[] = {
        {MallIconSwitch::On, true, passed_over, 2},
        {MallIconSwitch::On, false, {1, 2, 3}, 2},
        {MallIconSwitch::Off, true, {1, 2, 3}, 0},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(::testing::Message()
            << "switch " << (c.mall_icons == MallIconSwitch::On) << ", passes over " << c.passes_over);
        RecordingHandler handler(c.passes_over);
        ScanShopEntries(region, FixtureRatingHost, c.mall_icons, handler);
        EXPECT_EQ(handler.nicknames, Keepers(c.taken));
        EXPECT_EQ(handler.mall_questions, c.questions);
    }
}

TEST(ScanShopEntries, AFirstPageOfTheMarketplace)
{
    // Forty shops, six of them with the mall-shop icon, and two result pages.
    Text const page = ReadPageTextFixture("sellers/shop_search_page.html");
    std::string_view const region = ShopTableRegion(page);
    EXPECT_EQ(ShopPageCount(page), 2);

    RecordingHandler first_page(true);
    ScanShopEntries(region, FixtureRatingHost, MallIconSwitch::Off, first_page);
    ASSERT_EQ(first_page.entries.size(), 40u);
    EXPECT_EQ(first_page.mall_questions, 0);
    ShopEntry const& first = first_page.entries.front();
    EXPECT_EQ(first.shop_address, "http://shop.example.com/shop/33015/");
    EXPECT_EQ(first.nickname, "小鱼儿的衣橱"_gbk);
    EXPECT_EQ(first.location, "杭州"_gbk);
    EXPECT_EQ(first.credit_value, "7");
    EXPECT_EQ(first_page.nicknames.back(), "可爱衣橱57"_gbk);

    RecordingHandler later_page(true);
    ScanShopEntries(region, FixtureRatingHost, MallIconSwitch::On, later_page);
    EXPECT_EQ(later_page.mall_questions, 6);
    EXPECT_EQ(later_page.entries.size(), 34u);
}

}
}
