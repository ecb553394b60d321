#include "support/loopback_server.h"
#include "support/test_pump.h"
#include "web/cookie_store.h"
#include "web/fetch_page.h"
#include "web/read_url.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>

namespace velmora {
namespace {

using namespace std::chrono_literals;
using testing::LoopbackServer;
using testing::RefusingPort;
using testing::SeenRequest;
using testing::StalledPort;
using testing::TestPump;

constexpr std::size_t BigPageSize = 100 * 1024;

class ReadUrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // ReadUrl follows the system's proxy settings; the loopback server is reached directly.
        setenv("no_proxy", "127.0.0.1", 1);
        CookieStore::Shared().Clear();
        auto& routes = m_server.Routes();
        routes.Get("/echo", [this](httplib::Request const& request, httplib::Response& response) {
            m_server.Remember(request);
            response.set_content("echo body", "text/plain");
        });
        routes.Get("/set-session", [](httplib::Request const&, httplib::Response& response) {
            response.set_header("Set-Cookie", "session=abc");
            response.set_content("set", "text/plain");
        });
        routes.Get("/hop-with-cookie", [](httplib::Request const&, httplib::Response& response) {
            response.set_header("Set-Cookie", "hop=1; path=/");
            response.set_redirect("/show-cookies");
        });
        routes.Get("/show-cookies", [](httplib::Request const& request, httplib::Response& response) {
            response.set_content("cookies: " + request.get_header_value("Cookie"), "text/plain");
        });
        routes.Get("/missing", [](httplib::Request const&, httplib::Response& response) {
            response.status = 404;
            response.set_content("no such page", "text/html");
        });
        routes.Get("/big", [](httplib::Request const&, httplib::Response& response) {
            response.set_content(BigPage(), "text/plain");
        });
        routes.Get("/held", [this](httplib::Request const&, httplib::Response& response) {
            m_server.HoldUntilReleased();
            response.set_content("held body", "text/plain");
        });
        routes.Get("/stalls", [this](httplib::Request const&, httplib::Response& response) {
            response.set_chunked_content_provider("text/plain", [this](std::size_t, httplib::DataSink& sink) {
                sink.write("first part", 10);
                m_server.HoldUntilReleased();
                return false;
            });
        });
        routes.Get("/breaks", [](httplib::Request const&, httplib::Response& response) {
            response.set_content_provider(
                1000, "text/plain", [](std::size_t, std::size_t, httplib::DataSink& sink) {
                    sink.write("ten bytes!", 10);
                    return false;
                });
        });
        m_server.Start();
    }

    static std::string const& BigPage()
    {
        static std::string const page = [] {
            std::string page;
            for (std::size_t i = 0; page.size() < BigPageSize; ++i)
                page += std::to_string(i) + ",";
            page.resize(BigPageSize);
            return page;
        }();
        return page;
    }

    LoopbackServer m_server;
};

TEST_F(ReadUrlTest, SendsItsAgentAndNoExtraHeaders)
{
    struct AgentCase {
        AgentChoice choice;
        std::string_view agent;
    };
    for (auto const& test :
        {AgentCase {AgentChoice::Default, "zavi.vuv"}, {AgentChoice::Second, "Java/1.6.0_26"}}) {
        TestPump pump;
        Text url = m_server.Url("/echo?q=1");
        EXPECT_EQ(ReadUrl(pump, url, test.choice), "echo body");
        SeenRequest seen = m_server.LastRequest();
        EXPECT_EQ(seen.method, "GET");
        EXPECT_EQ(seen.target, "/echo?q=1");
        EXPECT_EQ(seen.version, "HTTP/1.1");
        EXPECT_EQ(seen.Header("User-Agent"), test.agent);
        EXPECT_EQ(seen.Count("Referer"), 0u);
        EXPECT_EQ(seen.Count("Accept-Language"), 0u);
        EXPECT_EQ(seen.Count("Cookie"), 0u);
    }
}

TEST_F(ReadUrlTest, BackslashesAreRewrittenInTheCallersVariable)
{
    TestPump pump;
    Text url = "http:\\\\" + m_server.Host() + "\\echo";
    EXPECT_EQ(ReadUrl(pump, url), "echo body");
    EXPECT_EQ(url, m_server.Url("/echo"));
    EXPECT_EQ(m_server.LastRequest().target, "/echo");
}

TEST_F(ReadUrlTest, EmptyUrlGivesEmpty)
{
    TestPump pump;
    Text url;
    EXPECT_EQ(ReadUrl(pump, url), "");
    EXPECT_TRUE(m_server.Requests().empty());
}

TEST_F(ReadUrlTest, SendsACookieThatFetchPageStored)
{
    TestPump pump;
    EXPECT_EQ(FetchPage(pump, m_server.Url("/set-session")), "set");
    Text url = m_server.Url("/echo");
    EXPECT_EQ(ReadUrl(pump, url), "echo body");
    EXPECT_EQ(m_server.LastRequest().Header("Cookie"), "session=abc");
}

TEST_F(ReadUrlTest, StoresACookieFromARedirectReplyAndSendsItOnTheNextHop)
{
    std::vector<std::pair<CookieChange, std::thread::id>> heard;
    auto observer = CookieStore::Shared().Observe(
        [&](CookieChange const& change) { heard.emplace_back(change, std::this_thread::get_id()); });
    TestPump pump;
    Text url = m_server.Url("/hop-with-cookie");
    EXPECT_EQ(ReadUrl(pump, url), "cookies: hop=1");
    CookieStore::Shared().StopObserving(observer);

    std::vector<Cookie> stored = CookieStore::Shared().List();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].name, "hop");
    EXPECT_EQ(stored[0].value, "1");
    EXPECT_EQ(stored[0].domain, "127.0.0.1");
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].first.kind, CookieChangeKind::Added);
    EXPECT_EQ(heard[0].second, std::this_thread::get_id());

    // A later read sends it too.
    url = m_server.Url("/echo");
    ReadUrl(pump, url);
    EXPECT_EQ(m_server.LastRequest().Header("Cookie"), "hop=1");
}

TEST_F(ReadUrlTest, RedirectsAreFollowedAndErrorPagesReturned)
{
    TestPump pump;
    Text url = m_server.Url("/hop-with-cookie");
    EXPECT_EQ(ReadUrl(pump, url), "cookies: hop=1");
    url = m_server.Url("/missing");
    EXPECT_EQ(ReadUrl(pump, url), "no such page");
}

TEST_F(ReadUrlTest, EventsRunAfterEveryChunk)
{
    TestPump pump;
    Text url = m_server.Url("/big");
    EXPECT_EQ(ReadUrl(pump, url), BigPage());
    EXPECT_GE(static_cast<std::size_t>(pump.RunCount()), BigPageSize / ReadUrlChunkSize);
}

TEST_F(ReadUrlTest, EventsRunWhileWaitingForBytes)
{
    // The server answers only once the pump has run five times: a read that let no events
    // run while it waited would wait in vain until its idle limit.
    TestPump pump;
    pump.OnCall(5, [this] { m_server.Release(); });
    Text url = m_server.Url("/held");
    EXPECT_EQ(ReadUrl(pump, url, AgentChoice::Default, {.idle = 20s}), "held body");
}

TEST_F(ReadUrlTest, SilentServerEndsTheReadWithWhatArrivedAfterTheIdleLimit)
{
    TestPump pump;
    Text url = m_server.Url("/stalls");
    EXPECT_EQ(ReadUrl(pump, url, AgentChoice::Default, {.idle = 1s}), "first part");
    EXPECT_GT(pump.RunCount(), 0);
}

TEST_F(ReadUrlTest, ConnectionThatIsNeverMadeEndsAtTheConnectLimit)
{
    // Without a connect limit of its own libcurl would wait five minutes here, and the test
    // with it; events keep running meanwhile.
    StalledPort stalled;
    TestPump pump;
    Text url = "http://127.0.0.1:" + std::to_string(stalled.Port()) + "/x";
    EXPECT_EQ(ReadUrl(pump, url, AgentChoice::Default, {.connect = 1s, .idle = 600s}), "");
    EXPECT_GT(pump.RunCount(), 0);
}

TEST_F(ReadUrlTest, BrokenConnectionGivesTheBytesSoFar)
{
    TestPump pump;
    Text url = m_server.Url("/breaks");
    EXPECT_EQ(ReadUrl(pump, url), "ten bytes!");
}

TEST_F(ReadUrlTest, AddressesThatCannotBeOpenedGiveEmpty)
{
    RefusingPort refusing;
    TestPump pump;
    for (std::string const& address : std::vector<std::string> {
             "http://127.0.0.1:" + std::to_string(refusing.Port()) + "/x",
             // Only web addresses are read: no local files, no other schemes.
             "file:///etc/hostname",
             "ftp://127.0.0.1:" + std::to_string(refusing.Port()) + "/x",
         }) {
        Text url = address;
        EXPECT_EQ(ReadUrl(pump, url), "") << address;
    }
}

}
}
