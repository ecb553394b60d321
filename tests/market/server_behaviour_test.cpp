// The server itself: endpoints, the request log, 404s, the fault switches, start failures
// and clean shutdown.
#include "market_test_support.h"

#include <atomic>
#include <future>
#include <set>
#include <thread>

namespace velmora::market {
namespace {

using testing::Fetch;
using testing::FetchBody;
using testing::HostOf;
using testing::TargetOf;

TEST(MarketServer, EveryHostIsItsOwnLoopbackPortAndNoneBeginsAnother)
{
    auto market = testing::StartedMarket();
    Endpoints const hosts = market->Endpoints();
    std::set<Text> seen;
    for (MarketHost host : AllMarketHosts) {
        Text const value = *hosts.Get(EndpointName(host));
        EXPECT_EQ(value, "127.0.0.1:" + std::to_string(market->Port(host)));
        seen.insert(value);
        for (MarketHost other : AllMarketHosts) {
            if (other != host) {
                EXPECT_FALSE(hosts.Get(EndpointName(other))->starts_with(value));
            }
        }
    }
    EXPECT_EQ(seen.size(), AllMarketHosts.size());
    EXPECT_EQ(hosts.LoginScheme, "http://");
    EXPECT_FALSE(hosts.SupportContact.empty());
    EXPECT_TRUE(hosts.BannerPageUrl.starts_with("http://" + hosts.UpdateServer + "/"));
    EXPECT_TRUE(hosts.HelpPageUrl.starts_with("http://" + hosts.UpdateServer + "/"));
    EXPECT_TRUE(hosts.ExampleShopAddress.starts_with("http://" + hosts.HomeHost + "/"));
    EXPECT_TRUE(hosts.ExampleItemAddress.starts_with("http://" + hosts.ItemHost + "/item.htm?id="));
}

TEST(MarketServer, TheRequestLogKeepsWhatEachHostReceived)
{
    auto market = testing::StartedMarket();
    Endpoints const hosts = market->Endpoints();
    std::string const odd_target = "/search?q=%C1%AC%D2%C2%C8%B9&s=40&x=a+b%2";
    ASSERT_TRUE(Fetch(hosts.ItemSearchHost, odd_target, {{"User-Agent", "zavi.vuv"}, {"Cookie", "t=1"}}));
    ASSERT_TRUE(Fetch(hosts.StatusHost, "/online.aw?uid=%61"));

    auto const searches = market->Requests(MarketHost::ItemSearch);
    ASSERT_EQ(searches.size(), 1u);
    EXPECT_EQ(searches[0].method, "GET");
    EXPECT_EQ(searches[0].target, odd_target);
    EXPECT_EQ(searches[0].Header("user-agent"), "zavi.vuv");
    EXPECT_EQ(searches[0].Header("COOKIE"), "t=1");
    EXPECT_FALSE(searches[0].HasHeader("REMOTE_ADDR"));
    EXPECT_EQ(market->Requests("StatusHost").size(), 1u);
    EXPECT_TRUE(market->Requests("NoSuchHost").empty());
    auto const all = market->AllRequests();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_LT(all[0].sequence, all[1].sequence);
    EXPECT_EQ(all[1].host, MarketHost::Status);

    market->ClearRequests();
    EXPECT_TRUE(market->AllRequests().empty());
}

TEST(MarketServer, WhatAHostDoesNotServeIsNotFound)
{
    auto market = testing::StartedMarket();
    Endpoints const hosts = market->Endpoints();
    struct {
        Text host;
        char const* target;
    } const cases[] = {
        {hosts.ItemSearchHost, "/browse/shop_search.htm"},
        {hosts.ShopSearchHost, "/search?q=a"},
        {hosts.RatingHost, "/item.htm?id=12867574371"},
        {hosts.ImageHost, "/newrank/s_red_6.gif"},
        {hosts.ImageHost, "/newrank/S_RED_1.gif"},
        {hosts.StatusHost, "/"},
        {hosts.UpdateServer, "/update/other.txt"},
        {hosts.LoginHost, "/"},
        {hosts.MallHost, "/shop/33015/"},
    };
    for (auto const& c : cases) {
        auto reply = Fetch(c.host, c.target);
        ASSERT_TRUE(reply) << c.target;
        EXPECT_EQ(reply->status, 404) << c.host << c.target;
    }
}

TEST(MarketFaults, ARedirectLeadsToTheSamePage)
{
    auto market = testing::StartedMarket();
    Endpoints const hosts = market->Endpoints();
    Text const item = hosts.ExampleItemAddress;
    std::string const page = FetchBody(HostOf(item), TargetOf(item));
    market->Configure([](Scenario& s) {
        s.redirects[MarketHost::Item] = 302;
        s.extra_cookies[MarketHost::Item] = {"moved=1; Path=/"};
    });
    auto reply = Fetch(HostOf(item), TargetOf(item));
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, 302);
    Text const location = reply->get_header_value("Location");
    EXPECT_EQ(location, "http://" + hosts.ItemHost + "/moved" + TargetOf(item));
    EXPECT_EQ(reply->get_header_value("Set-Cookie"), "moved=1; Path=/");
    auto moved = Fetch(HostOf(location), TargetOf(location));
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->status, 200);
    EXPECT_EQ(moved->body, page);
    EXPECT_EQ(moved->get_header_value("Set-Cookie"), "moved=1; Path=/");
}

TEST(MarketFaults, DamagedPages)
{
    auto market = testing::StartedMarket();
    Text const item = market->Endpoints().ExampleItemAddress;
    std::string const whole = FetchBody(HostOf(item), TargetOf(item));
    ASSERT_GT(whole.size(), 100u);

    market->Configure([](Scenario& s) { s.damage[MarketHost::Item] = PageDamage::CutShort; });
    std::string const cut = FetchBody(HostOf(item), TargetOf(item));
    EXPECT_EQ(cut.substr(0, cut.size() - 1), whole.substr(0, whole.size() / 2));
    EXPECT_EQ(cut.back(), '\xB0');

    market->Configure([](Scenario& s) { s.damage[MarketHost::Item] = PageDamage::Garbled; });
    std::string const garbled = FetchBody(HostOf(item), TargetOf(item));
    EXPECT_EQ(garbled.find_first_of("\"<"), std::string::npos);
    EXPECT_GT(garbled.size(), whole.size() / 2);

    market->Configure([](Scenario& s) { s.damage[MarketHost::Item] = PageDamage::ConnectionDropped; });
    auto dropped = Fetch(HostOf(item), TargetOf(item));
    EXPECT_FALSE(dropped) << "the reply breaks off before its announced length";
}

TEST(MarketFaults, APacedReplyArrivesWholeInSmallChunks)
{
    auto market = testing::StartedMarket();
    Text const update = market->Endpoints().UpdateServer;
    std::string const whole = FetchBody(update, "/help.htm");
    market->Configure([](Scenario& s) {
        s.paces[MarketHost::Update]
            = {std::chrono::milliseconds(20), false, std::chrono::milliseconds(2), 100};
    });
    httplib::Client client("http://" + update);
    std::vector<std::size_t> chunks;
    std::string received;
    auto reply = client.Get("/help.htm", [&](char const* data, std::size_t length) {
        chunks.push_back(length);
        received.append(data, length);
        return true;
    });
    ASSERT_TRUE(reply);
    EXPECT_EQ(received, whole);
    EXPECT_GT(chunks.size(), 1u);
}

TEST(MarketFaults, AHostThatNeverAnswersIsReleasedByStop)
{
    Scenario scenario;
    scenario.paces[MarketHost::Status].never_answers = true;
    scenario.silent_hold = std::chrono::minutes(10);
    auto market = testing::StartedMarket(scenario);
    Text const status = market->Endpoints().StatusHost;
    auto pending = std::async(std::launch::async, [status] {
        httplib::Client client("http://" + status);
        client.set_read_timeout(std::chrono::minutes(10));
        auto reply = client.Get("/online.aw?uid=%61");
        return reply && reply->status == 200 && !reply->body.empty();
    });
    ASSERT_TRUE(market->WaitForRequests(MarketHost::Status, 1, std::chrono::seconds(30)));
    market->Stop();
    EXPECT_FALSE(pending.get()) << "a held request gets no reply";
    EXPECT_FALSE(market->IsRunning());
}

TEST(MarketLifecycle, APortInUseFailsTheStartAndNamesTheHost)
{
    auto first = testing::StartedMarket();
    SampleMarket second({}, MarketOptions {first->Port(MarketHost::ItemSearch)});
    auto const started = second.Start();
    EXPECT_FALSE(started);
    EXPECT_FALSE(second.IsRunning());
    EXPECT_NE(started.message.find("ItemSearchHost"), std::string::npos) << started.message;
    // The first market is unharmed.
    Text const item = first->Endpoints().ExampleItemAddress;
    EXPECT_FALSE(FetchBody(HostOf(item), TargetOf(item)).empty());
}

TEST(MarketLifecycle, AStoppedMarketClosesItsPortsAndCanStartAgain)
{
    auto market = testing::StartedMarket();
    Text const home = market->Endpoints().HomeHost;
    EXPECT_FALSE(FetchBody(home, "/").empty());
    market->Stop();
    market->Stop();
    EXPECT_FALSE(market->IsRunning());
    EXPECT_FALSE(Fetch(home, "/")) << "nothing listens after Stop";
    ASSERT_TRUE(market->Start());
    Text const again = market->Endpoints().HomeHost;
    EXPECT_FALSE(FetchBody(again, "/").empty());
}

TEST(MarketLifecycle, RequestsDuringAChangeOfScenarioSeeOneScenarioOrTheOther)
{
    auto market = testing::StartedMarket();
    Text const search = market->Endpoints().ItemSearchHost;
    std::atomic<bool> done {false};
    std::thread changer([&] {
        for (int i = 0; !done; ++i)
            market->Configure([i](Scenario& s) { s.item_search_pages = 1 + i % 2; });
    });
    for (int i = 0; i < 20; ++i) {
        Text const page = RemoveSpaces(FetchBody(search, "/search?q=iPhone4"));
        long long const count = testing::PageCountAfter(page, FindMarker(page, "endlistview"));
        EXPECT_TRUE(count == 1 || count == 2) << count;
    }
    done = true;
    changer.join();
}

} // namespace
} // namespace velmora::market
