#include "buyers/rating_addresses.h"
#include "buyers/seller_user_id.h"
#include "support/fixtures.h"
#include "text/spaces.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

Endpoints TestEndpoints()
{
    Endpoints endpoints;
    endpoints.RatingHost = "rate.test:8081";
    return endpoints;
}

TEST(SellerUserId, CutBetweenKeyAndPrototype)
{
    struct {
        char const* page;
        char const* id;
    } const cases[] = {
        {"x key:user-123456-prototype y", "123456"},
        {"key:user-1-prototype key:user-2-prototype", "1"},
        {"key:user-123456", ""},
        {"-prototype key:user-123456", ""},
        {"key:user--prototype", ""},
        {"KEY:USER-123-prototype", ""},
        {"user-123-prototype", ""},
        {"", ""},
        {"key:user-12ab-prototype", "12ab"},
    };
    for (auto const& c : cases)
        EXPECT_EQ(SellerUserIdFromShopPage(c.page), c.id) << c.page;
}

TEST(SellerUserId, FixtureShopPage)
{
    Text page = RemoveSpaces(testing::ReadFixture("buyers/shop_page.htm"));
    EXPECT_EQ(SellerUserIdFromShopPage(page), "73519264");
}

TEST(SellerUserId, UsableOnlyWhenAllDigits)
{
    struct {
        Text id;
        bool usable;
    } const cases[] = {
        {"73519264", true},
        {"0", true},
        {"", false},
        {"12ab", false},
        {"-1", false},
        {"1 2", false},
        {"１２"_gbk, false},
        {"12<html>", false},
    };
    for (auto const& c : cases)
        EXPECT_EQ(IsUsableSellerUserId(c.id), c.usable) << c.id;
}

TEST(ShopRatingPageAddress, PageNumberStandsTwice)
{
    struct {
        std::int32_t page;
        char const* address;
    } const cases[] = {
        {1,
            "http://rate.test:8081/member_rate.htm?user_id=73519264&rater=0&content=1&direction=0&identity=1"
            "&from=rate&page=1&current_page=1"},
        {12,
            "http://rate.test:8081/member_rate.htm?user_id=73519264&rater=0&content=1&direction=0&identity=1"
            "&from=rate&page=12&current_page=12"},
    };
    for (auto const& c : cases)
        EXPECT_EQ(ShopRatingPageAddress(TestEndpoints(), "73519264", c.page), c.address) << c.page;
}

TEST(ItemRatingAddress, CutFromTheItemPage)
{
    struct {
        char const* what;
        Text page;
        char const* address;
    } const cases[] = {
        {"up to the double quote", "a=\"http://rate.test:8081/detail_rate.htm?id=1&currentPage=1\"b",
            "http://rate.test:8081/detail_rate.htm?id=1&currentPage=1"},
        {"the first of two",
            "\"http://rate.test:8081/detail_rate.htm?a\"\"http://rate.test:8081/detail_rate.htm?b\"",
            "http://rate.test:8081/detail_rate.htm?a"},
        {"another host", "\"http://rate.other/detail_rate.htm?a\"", ""},
        {"another page", "\"http://rate.test:8081/member_rate.htm?a\"", ""},
        {"no closing quote", "\"http://rate.test:8081/detail_rate.htm?a", ""},
        {"no address", "<html></html>", ""},
        {"empty page", "", ""},
    };
    for (auto const& c : cases)
        EXPECT_EQ(ItemRatingAddressFromItemPage(c.page, TestEndpoints()), c.address) << c.what;
}

TEST(ItemRatingAddress, FixtureItemPage)
{
    Text page = RemoveSpaces(testing::ReadFixture("buyers/item_page.htm"));
    Endpoints endpoints;
    endpoints.RatingHost = "rate.taobao.com";
    EXPECT_EQ(ItemRatingAddressFromItemPage(page, endpoints),
        "http://rate.taobao.com/detail_rate.htm?userNumId=73519264&auctionNumId=12867574371&showContent=1"
        "&currentPage=1&ismore=0&siteID=7");
}

TEST(ItemRatingAddress, AdvanceRewritesEveryOccurrence)
{
    struct {
        char const* address;
        std::int32_t page;
        char const* advanced;
    } const cases[] = {
        {"http://r/detail_rate.htm?id=1&currentPage=1", 2, "http://r/detail_rate.htm?id=1&currentPage=2"},
        {"http://r/d?currentPage=1&x=1&back=currentPage=1", 2,
            "http://r/d?currentPage=2&x=1&back=currentPage=2"},
        {"http://r/d?currentPage=9&a=1", 10, "http://r/d?currentPage=10&a=1"},
        {"http://r/d?currentPage=10", 11, "http://r/d?currentPage=11"},
        {"http://r/d?currentpage=1", 2, "http://r/d?currentpage=1"},
        {"http://r/d?currentPage=3", 2, "http://r/d?currentPage=3"},
        {"http://r/d?page=1", 2, "http://r/d?page=1"},
        {"", 2, ""},
    };
    for (auto const& c : cases) {
        Text address = c.address;
        AdvanceItemRatingAddress(address, c.page);
        EXPECT_EQ(address, c.advanced) << c.address << " to page " << c.page;
    }
}

}
}
