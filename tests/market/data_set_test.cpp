// The data set's promises to the tests that use it, and the small pieces the pages are made
// of: exact-size images and the reading of request addresses.
#include "market/data_set.h"
#include "market/gif_image.h"
#include "market/market_view.h"
#include "market/request_target.h"
#include "text/gbk.h"
#include "text/marker_search.h"
#include "text/spaces.h"

#include <gtest/gtest.h>

#include <set>

namespace velmora::market {
namespace {

TEST(DataSet, IsTheSameInEveryBuild)
{
    DataSet const a, b;
    ASSERT_EQ(a.Sellers().size(), b.Sellers().size());
    for (std::size_t i = 0; i < a.Sellers().size(); ++i) {
        EXPECT_EQ(a.Sellers()[i].nickname, b.Sellers()[i].nickname);
        EXPECT_EQ(a.Sellers()[i].user_id, b.Sellers()[i].user_id);
    }
    for (auto const& listing : a.Listings()) {
        for (int index : {0, 1, 39, 40, 500}) {
            Item const x = a.ItemAt(listing, index);
            Item const y = b.ItemAt(b.Listings()[listing.index], index);
            EXPECT_EQ(x.id, y.id);
            EXPECT_EQ(x.title, y.title);
            EXPECT_EQ(x.seller, y.seller);
        }
    }
}

TEST(DataSet, NamesAreUniqueCleanGbkWithoutSpacesOrPageMarks)
{
    DataSet const data;
    std::set<Text> nicknames, user_ids, shop_ids;
    auto check = [](Text const& value, char const* what) {
        EXPECT_FALSE(value.empty()) << what;
        EXPECT_EQ(RemoveSpaces(value), value) << what << " " << GbkToUtf8(value);
        EXPECT_EQ(value.find_first_of("\"<>,&"), Text::npos) << what << " " << GbkToUtf8(value);
        EXPECT_EQ(value.find('?'), Text::npos) << what << " has a character GBK cannot hold";
    };
    for (auto const& seller : data.Sellers()) {
        check(seller.nickname, "nickname");
        check(seller.shop_name, "shop name");
        check(seller.place, "place");
        EXPECT_TRUE(nicknames.insert(seller.nickname).second) << GbkToUtf8(seller.nickname);
        EXPECT_TRUE(user_ids.insert(seller.user_id).second);
        EXPECT_TRUE(shop_ids.insert(seller.shop_id).second);
        EXPECT_EQ(seller.mall, seller.opened.empty());
        EXPECT_EQ(seller.mall, seller.credit_level == 0);
    }
    for (auto const& buyer : data.Buyers()) {
        check(buyer.nickname, "buyer");
        EXPECT_TRUE(nicknames.insert(buyer.nickname).second) << GbkToUtf8(buyer.nickname);
    }
    for (auto const& listing : data.Listings()) {
        for (int index = 0; index < listing.result_count; ++index)
            check(data.ItemAt(listing, index).title, "title");
    }
}

TEST(DataSet, HoldsTheKindsOfNicknamesTheCollectorsMustHandle)
{
    DataSet const data;
    bool masked = false, exactly_twenty = false, longer = false;
    for (auto const& buyer : data.Buyers()) {
        masked = masked || ContainsMarker(buyer.nickname, "**");
        exactly_twenty = exactly_twenty || buyer.nickname.size() == 20;
        longer = longer || buyer.nickname.size() > 20;
    }
    EXPECT_TRUE(masked);
    EXPECT_TRUE(exactly_twenty);
    EXPECT_TRUE(longer);
    std::set<OnlineState> states;
    for (auto const& seller : data.Sellers())
        states.insert(seller.state);
    EXPECT_EQ(states.size(), 4u);
}

TEST(DataSet, ItemIdsLeadBackToTheirItems)
{
    DataSet const data;
    for (auto const& listing : data.Listings()) {
        for (int index : {0, 7, listing.result_count - 1, 4000}) {
            Item const item = data.ItemAt(listing, index);
            auto const found = data.ItemWithId(item.id);
            ASSERT_TRUE(found) << item.id;
            EXPECT_EQ(found->listing, listing.index);
            EXPECT_EQ(found->index, index);
        }
    }
    for (char const* id : {"", "0", "12867574372", "abc", "1286757437100000000000"})
        EXPECT_FALSE(data.ItemWithId(id)) << id;
}

TEST(DataSet, QueriesFindTheirKeywordIgnoringSpacesAndLetterCase)
{
    DataSet const data;
    struct {
        char const* query;
        char const* keyword;
    } const cases[] = {
        {"连衣裙", "连衣裙"},
        {" 连衣裙 ", "连衣裙"},
        {"IPHONE4", "iPhone4"},
        {"iphone 4", "iPhone4"},
        {"连衣", nullptr},
        {"", nullptr},
        {"手机壳手机壳", nullptr},
    };
    for (auto const& c : cases) {
        KeywordListing const* listing = data.ListingForQuery(Utf8ToGbk(c.query));
        if (c.keyword) {
            ASSERT_NE(listing, nullptr) << c.query;
            EXPECT_EQ(listing->keyword, Utf8ToGbk(c.keyword));
        } else {
            EXPECT_EQ(listing, nullptr) << c.query;
        }
    }
}

TEST(RankImages, EveryLevelHasTheImageOfItsFamily)
{
    struct {
        int level;
        char const* name;
    } const cases[] = {
        {0, ""},
        {1, "s_red_1"},
        {5, "s_red_5"},
        {6, "s_blue_1"},
        {10, "s_blue_5"},
        {11, "s_cap_1"},
        {13, "s_cap_3"},
        {16, "s_crown_1"},
        {20, "s_crown_5"},
        {21, ""},
        {-1, ""},
    };
    for (auto const& c : cases)
        EXPECT_EQ(RankImageName(c.level), c.name) << c.level;
}

TEST(GifOfSize, HasExactlyTheAskedSize)
{
    for (std::size_t size : {0u, 10u, 34u, 35u, 36u, 39u, 40u, 41u, 293u, 294u, 295u, 298u, 299u, 500u, 501u,
             2000u, 2001u, 4000u, 4001u, 10000u}) {
        std::string const gif = GifOfSize(size);
        ASSERT_EQ(gif.size(), size);
        if (size >= SmallestGifSize) {
            EXPECT_EQ(gif.substr(0, 6), "GIF89a") << size;
            // The comment blocks end where the image descriptor begins.
            std::size_t at = 13 + 6;
            while (static_cast<unsigned char>(gif[at]) == 0x21) {
                ASSERT_EQ(static_cast<unsigned char>(gif[at + 1]), 0xFE) << size;
                std::size_t const block = static_cast<unsigned char>(gif[at + 2]);
                ASSERT_GT(block, 0u) << size;
                ASSERT_EQ(gif[at + 3 + block], '\0') << size;
                at += 4 + block;
            }
            EXPECT_EQ(static_cast<unsigned char>(gif[at]), 0x2C) << size;
            EXPECT_EQ(gif[at + 15], '\x3B') << size;
        }
    }
}

TEST(RequestTarget, DecodesTheQueryTheWayTheProgramSendsIt)
{
    RequestTarget const target(
        "/se%61rch?q=%C1%AC%D2%C2%C8%B9&s=40&empty=&flag&plus=a+b&raw=\xC1\xAC&bad=%G1%4&q=second#frag");
    EXPECT_EQ(target.Path(), "/search");
    EXPECT_EQ(target.ValueOr("q", ""), "连衣裙"_gbk);
    EXPECT_EQ(target.Number("s", 0), 40);
    EXPECT_EQ(target.Value("empty"), "");
    EXPECT_EQ(target.Value("flag"), "");
    EXPECT_EQ(target.Value("plus"), "a b");
    EXPECT_EQ(target.Value("raw"), "\xC1\xAC");
    EXPECT_EQ(target.Value("bad"), "%G1%4");
    EXPECT_FALSE(target.Value("frag"));
    EXPECT_FALSE(target.Has("missing"));
    EXPECT_EQ(target.Number("missing", 7), 7);
    EXPECT_EQ(RequestTarget("/x?s=-40").Number("s", 0), 0);
    EXPECT_EQ(RequestTarget("/x?s=40abc").Number("s", 0), 40);
    EXPECT_EQ(RequestTarget("/x?s=99999999999999").Number("s", 0), 1 << 24);
}

} // namespace
} // namespace velmora::market
