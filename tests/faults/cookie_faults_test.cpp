// Replies that set odd cookies (a Set-Cookie line without "=", one of 8 KB) through both
// page readers: the page arrives, the good cookie of the same reply is kept, and the next
// requests to the marketplace are still answered.
#include "fault_cases.h"

#include "market/sample_market.h"
#include "support/test_pump.h"
#include "web/cookie_store.h"
#include "web/fetch_page.h"
#include "web/read_url.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using market::MarketHost;

enum class Reader { ReadUrl, FetchPage };

std::string Read(Reader reader, EventPump& pump, Text url)
{
    return reader == Reader::ReadUrl ? ReadUrl(pump, url) : FetchPage(pump, url);
}

class CookieFaults : public ::testing::TestWithParam<Reader> {
protected:
    void SetUp() override
    {
        CookieStore::Shared().Clear();
        auto started = market.Start();
        ASSERT_TRUE(started) << started.message;
    }
    void TearDown() override { CookieStore::Shared().Clear(); }

    Text HomePage() const { return "http://" + market.Endpoints().HomeHost + "/"; }
    Text SearchPage() const { return "http://" + market.Endpoints().ItemSearchHost + "/search?q=abc"; }

    market::SampleMarket market;
    testing::TestPump pump;
};

TEST_P(CookieFaults, OddCookiesSpoilNeitherTheirPageNorTheNextRequests)
{
    Reader const reader = GetParam();
    // The page as it comes without odd cookies, then with them.
    std::string const plain_home = Read(reader, pump, HomePage());
    std::string const plain_search = Read(Reader::ReadUrl, pump, SearchPage());
    ASSERT_FALSE(plain_home.empty());
    ASSERT_FALSE(plain_search.empty());
    market.Configure([](market::Scenario& s) { testing::OddSetCookieLines().apply(s, MarketHost::Home); });

    EXPECT_EQ(Read(reader, pump, HomePage()), plain_home);

    bool kept_good_one = false;
    for (auto const& cookie : CookieStore::Shared().List()) {
        EXPECT_FALSE(cookie.name.empty()) << "a cookie without a name was stored";
        kept_good_one = kept_good_one || (cookie.name == "after_odd_ones" && cookie.value == "1");
    }
    EXPECT_TRUE(kept_good_one);

    // The store's cookies go with every later page read of the marketplace's hosts (a
    // cookie knows no port): those requests are still answered with their pages.
    market.ClearRequests();
    EXPECT_EQ(Read(Reader::ReadUrl, pump, SearchPage()), plain_search);
    auto const requests = market.Requests(MarketHost::ItemSearch);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_NE(requests[0].Header("Cookie").find("after_odd_ones=1"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(BothReaders, CookieFaults, ::testing::Values(Reader::ReadUrl, Reader::FetchPage),
    [](auto const& info) { return info.param == Reader::ReadUrl ? "ReadUrl" : "FetchPage"; });

}
}
