#include "support/loopback_server.h"
#include "support/test_pump.h"
#include "web/cookie_store.h"
#include "web/fetch_page.h"
#include "web/fetch_worker.h"
#include "web/request_headers.h"

#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <thread>

namespace velmora {
namespace {

using namespace std::chrono_literals;
using testing::LoopbackServer;
using testing::RefusingPort;
using testing::SeenRequest;
using testing::TestPump;

// A pump that writes down why every wait ended, around the test pump.
class RecordingPump final : public EventPump {
public:
    void RunPendingEvents() override { m_inner.RunPendingEvents(); }
    WakeReason WaitForSignalOrEvent(CompletionSignal& signal, std::chrono::milliseconds limit) override
    {
        WakeReason reason = m_inner.WaitForSignalOrEvent(signal, limit);
        m_reasons.push_back(reason);
        return reason;
    }
    TestPump& Inner() { return m_inner; }
    std::vector<WakeReason> const& Reasons() const { return m_reasons; }

private:
    TestPump m_inner;
    std::vector<WakeReason> m_reasons;
};

// A pump whose window sees a few events at the start of a wait and then none, as when the
// user moves the mouse and then lets go.
class BurstPump final : public EventPump {
public:
    BurstPump(int events, std::chrono::milliseconds spacing)
        : m_events_left(events)
        , m_spacing(spacing)
    {
    }
    void RunPendingEvents() override { ++m_runs; }
    WakeReason WaitForSignalOrEvent(CompletionSignal& signal, std::chrono::milliseconds limit) override
    {
        m_reasons.push_back([&] {
            if (m_events_left == 0)
                return signal.WaitFor(limit) ? WakeReason::Signalled : WakeReason::TimedOut;
            --m_events_left;
            return signal.WaitFor(m_spacing) ? WakeReason::Signalled : WakeReason::EventArrived;
        }());
        return m_reasons.back();
    }
    int Runs() const { return m_runs; }
    std::vector<WakeReason> const& Reasons() const { return m_reasons; }

private:
    int m_events_left;
    std::chrono::milliseconds m_spacing;
    int m_runs {0};
    std::vector<WakeReason> m_reasons;
};

bool HoldsCookie(std::string_view name)
{
    for (auto const& cookie : CookieStore::Shared().List()) {
        if (cookie.name == name)
            return true;
    }
    return false;
}

class FetchPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CookieStore::Shared().Clear();
        auto& routes = m_server.Routes();
        auto echo = [this](httplib::Request const& request, httplib::Response& response) {
            m_server.Remember(request);
            response.set_content("echo body", "text/plain");
        };
        routes.Get("/echo", echo);
        routes.Post("/echo", echo);
        routes.Get("/", echo);
        routes.Get("/three-cookies", [](httplib::Request const&, httplib::Response& response) {
            response.set_header("Set-Cookie", "first=1; path=/");
            response.set_header("Set-Cookie", "second=2");
            response.set_header("Set-Cookie", "third=3; expires=Fri, 01 Jan 2100 00:00:00 GMT");
            response.set_content("three", "text/plain");
        });
        routes.Get("/long-headers", [](httplib::Request const&, httplib::Response& response) {
            response.set_header("X-Padding", std::string(3000, 'p'));
            response.set_header("Set-Cookie", "after_padding=1");
            response.set_content("long", "text/plain");
        });
        routes.Get("/hop",
            [](httplib::Request const&, httplib::Response& response) { response.set_redirect("/final"); });
        routes.Get("/final", [](httplib::Request const&, httplib::Response& response) {
            response.set_content("final body", "text/plain");
        });
        routes.Get("/missing", [](httplib::Request const&, httplib::Response& response) {
            response.status = 404;
            response.set_content("no such page", "text/html");
        });
        routes.Get("/silent", [this](httplib::Request const&, httplib::Response& response) {
            m_server.HoldUntilReleased();
            response.set_content("too late", "text/plain");
        });
        routes.Get("/trickle", [this](httplib::Request const&, httplib::Response& response) {
            response.set_header("Set-Cookie", "cut_off=1");
            response.set_chunked_content_provider("text/plain", [this](std::size_t, httplib::DataSink& sink) {
                // One byte a tenth of a second until released or the client goes away.
                while (!m_server.HoldUntilReleased(100ms)) {
                    if (!sink.write("x", 1))
                        return false;
                }
                sink.done();
                return true;
            });
        });
        m_server.Start();
    }

    LoopbackServer m_server;
};

TEST_F(FetchPageTest, RequestCarriesTheDefaultHeaders)
{
    TestPump pump;
    Text headers;
    std::string url = m_server.Url("/echo?q=a/b&n=1");
    EXPECT_EQ(FetchPage(pump, url, {.response_headers = &headers}), "echo body");

    SeenRequest seen = m_server.LastRequest();
    EXPECT_EQ(seen.method, "GET");
    EXPECT_EQ(seen.target, "/echo?q=a/b&n=1");
    EXPECT_EQ(seen.version, "HTTP/1.1");
    EXPECT_EQ(seen.Header("Host"), m_server.Host());
    EXPECT_EQ(seen.Header("User-Agent"), FetchAgent);
    EXPECT_EQ(seen.Header("Accept"), DefaultAcceptValue);
    EXPECT_EQ(seen.Header("Referer"), url);
    EXPECT_EQ(seen.Header("Accept-Language"), "zh-cn");
    EXPECT_EQ(seen.Count("Accept-Language"), 1u);
    EXPECT_EQ(seen.Count("Cookie"), 0u);
    EXPECT_EQ(seen.Count("Content-Type"), 0u);
    EXPECT_EQ(seen.Count("Authorization"), 0u);
    EXPECT_TRUE(headers.starts_with("HTTP/1.1 200 OK\r\n")) << headers;
    EXPECT_TRUE(headers.ends_with("\r\n\r\n")) << headers;
}

struct RequestCase {
    std::string_view what;
    FetchOptions options;
    std::string method;
    std::map<std::string, std::optional<std::string>> headers; // none: the header must not arrive
    std::string body;
};

TEST_F(FetchPageTest, ArgumentsShapeTheRequestThatArrives)
{
    RequestCase const cases[] = {
        {"Accept-Language given in lower case is not added again",
            {.extra_headers = "accept-language: en-us\r\n"}, "GET", {{"Accept-Language", "en-us"}}, ""},
        {"own Accept and Referer", {.extra_headers = "Accept: text/html\r\nReferer: http://elsewhere/\r\n"},
            "GET", {{"Accept", "text/html"}, {"Referer", "http://elsewhere/"}}, ""},
        {"cookie text", {.cookie_text = "a=1; b=2"}, "GET", {{"Cookie", "a=1; b=2"}}, ""},
        {"blank cookie text sends no cookie", {.cookie_text = "   "}, "GET", {{"Cookie", std::nullopt}}, ""},
        {"POST with data", {.verb = "post", .post_data = "x=1&y=2"}, "POST",
            {{"Content-Type", "application/x-www-form-urlencoded"}, {"Content-Length", "7"},
                {"Expect", std::nullopt}},
            "x=1&y=2"},
        {"POST keeps its own Content-Type",
            {.verb = "POST", .post_data = "abc", .extra_headers = "Content-Type: text/plain\r\n"}, "POST",
            {{"Content-Type", "text/plain"}, {"Content-Length", "3"}}, "abc"},
        // Without data no Content-Type is added; the length 0 is HTTP/1.1's framing of a POST.
        {"POST without data", {.verb = "Post"}, "POST",
            {{"Content-Type", std::nullopt}, {"Content-Length", "0"}}, ""},
        {"any other verb is a GET", {.verb = "PUT", .post_data = "ignored"}, "GET",
            {{"Content-Type", std::nullopt}, {"Content-Length", std::nullopt}}, ""},
        {"login", {.user_name = "u", .password = "p"}, "GET", {{"Authorization", "Basic dTpw"}}, ""},
        {"blank login is no login", {.user_name = "  ", .password = " "}, "GET",
            {{"Authorization", std::nullopt}}, ""},
        {"extra headers go along", {.extra_headers = "X-Shop: 1\r\nX-Other: two\r\n"}, "GET",
            {{"X-Shop", "1"}, {"X-Other", "two"}}, ""},
    };
    for (auto const& test : cases) {
        TestPump pump;
        EXPECT_EQ(FetchPage(pump, m_server.Url("/echo"), test.options), "echo body") << test.what;
        SeenRequest seen = m_server.LastRequest();
        EXPECT_EQ(seen.method, test.method) << test.what;
        EXPECT_EQ(seen.body, test.body) << test.what;
        for (auto const& [name, value] : test.headers) {
            if (value) {
                EXPECT_EQ(seen.Count(name), 1u) << test.what << ": " << name;
                EXPECT_EQ(seen.Header(name), *value) << test.what << ": " << name;
            } else {
                EXPECT_EQ(seen.Count(name), 0u) << test.what << ": " << name;
            }
        }
    }
}

TEST_F(FetchPageTest, AddressWithoutPathRequestsTheRoot)
{
    TestPump pump;
    EXPECT_EQ(FetchPage(pump, "http://" + m_server.Host()), "echo body");
    EXPECT_EQ(m_server.LastRequest().target, "/");
    // Text before "http://" does not disturb the address.
    EXPECT_EQ(FetchPage(pump, " http://" + m_server.Host() + "/echo"), "echo body");
    EXPECT_EQ(m_server.LastRequest().target, "/echo");
}

TEST_F(FetchPageTest, StoredCookiesGoAlongOnlyWithCookieText)
{
    ASSERT_TRUE(SetCookie("http://127.0.0.1", "stored", "1"));
    TestPump pump;
    FetchPage(pump, m_server.Url("/echo"));
    EXPECT_EQ(m_server.LastRequest().Count("Cookie"), 0u);
    FetchPage(pump, m_server.Url("/echo"), {.cookie_text = "given=2"});
    EXPECT_EQ(m_server.LastRequest().Header("Cookie"), "stored=1; given=2");
}

TEST_F(FetchPageTest, ThreeSetCookieLinesGiveThreeStoredCookiesForTheHost)
{
    std::vector<std::pair<CookieChange, std::thread::id>> heard;
    auto observer = CookieStore::Shared().Observe(
        [&](CookieChange const& change) { heard.emplace_back(change, std::this_thread::get_id()); });
    TestPump pump;
    Text headers;
    EXPECT_EQ(FetchPage(pump, m_server.Url("/three-cookies"), {.response_headers = &headers}), "three");
    CookieStore::Shared().StopObserving(observer);

    std::vector<Cookie> stored = CookieStore::Shared().List();
    ASSERT_EQ(stored.size(), 3u);
    std::map<std::string, Cookie> by_name;
    for (auto const& cookie : stored)
        by_name[cookie.name] = cookie;
    for (auto const& [name, value] : {std::pair {"first", "1"}, {"second", "2"}, {"third", "3"}}) {
        ASSERT_TRUE(by_name.contains(name)) << name;
        EXPECT_EQ(by_name[name].value, value);
        // Stored for "http://" + host: the host as domain, sub-domains included, path "/".
        EXPECT_EQ(by_name[name].domain, "127.0.0.1");
        EXPECT_TRUE(by_name[name].include_subdomains);
        EXPECT_EQ(by_name[name].path, "/");
    }
    EXPECT_FALSE(by_name["second"].expires.has_value());
    EXPECT_TRUE(by_name["third"].expires.has_value());
    EXPECT_NE(headers.find("Set-Cookie: second=2\r\n"), std::string::npos) << headers;

    // The observers heard of all three on the calling thread, before FetchPage returned.
    ASSERT_EQ(heard.size(), 3u);
    for (auto const& [change, thread] : heard) {
        EXPECT_EQ(change.kind, CookieChangeKind::Added);
        EXPECT_EQ(thread, std::this_thread::get_id());
    }
}

TEST_F(FetchPageTest, LongHeaderTextIsKeptWholeAndItsCookiesStored)
{
    TestPump pump;
    Text headers;
    EXPECT_EQ(FetchPage(pump, m_server.Url("/long-headers"), {.response_headers = &headers}), "long");
    EXPECT_GT(headers.size(), 3000u);
    EXPECT_NE(headers.find("X-Padding: " + std::string(3000, 'p') + "\r\n"), std::string::npos);
    EXPECT_NE(headers.find("Set-Cookie: after_padding=1\r\n"), std::string::npos);
    EXPECT_TRUE(HoldsCookie("after_padding"));
}

TEST_F(FetchPageTest, RedirectsAreFollowedAndErrorPagesReturned)
{
    TestPump pump;
    Text headers;
    EXPECT_EQ(FetchPage(pump, m_server.Url("/hop"), {.response_headers = &headers}), "final body");
    // The header text is the final reply's.
    EXPECT_TRUE(headers.starts_with("HTTP/1.1 200")) << headers;
    EXPECT_EQ(FetchPage(pump, m_server.Url("/missing"), {.response_headers = &headers}), "no such page");
    EXPECT_TRUE(headers.starts_with("HTTP/1.1 404")) << headers;
}

TEST_F(FetchPageTest, SilentServerGivesEmptyAfterAFullLimitWithoutEvents)
{
    // Three events a fifth of a second apart, then quiet: the wait goes on through the events
    // and ends only after one whole limit without any.
    BurstPump pump(3, 200ms);
    Text headers = "untouched";
    EXPECT_EQ(
        FetchPage(pump, m_server.Url("/silent"), {.time_limit_seconds = 1, .response_headers = &headers}),
        "");
    EXPECT_EQ(headers, "");
    EXPECT_EQ(pump.Reasons(),
        (std::vector<WakeReason> {WakeReason::EventArrived, WakeReason::EventArrived,
            WakeReason::EventArrived, WakeReason::TimedOut}));
    // Events ran after every wake-up, the last one included.
    EXPECT_EQ(pump.Runs(), 4);
}

TEST_F(FetchPageTest, LimitDoesNotRunOutWhileEventsKeepArriving)
{
    TestPump pump;
    pump.SetEventEvery(50ms);
    // The server answers only after forty event runs, some two seconds: twice the limit.
    pump.OnCall(40, [this] { m_server.Release(); });
    EXPECT_EQ(FetchPage(pump, m_server.Url("/silent"), {.time_limit_seconds = 1}), "too late");
    EXPECT_GE(pump.RunCount(), 40);
}

TEST_F(FetchPageTest, UnreachablePortGivesEmptyBytesAtOnce)
{
    RefusingPort refusing;
    RecordingPump pump;
    Text headers = "untouched";
    EXPECT_EQ(FetchPage(pump, "http://127.0.0.1:" + std::to_string(refusing.Port()) + "/x",
                  {.response_headers = &headers}),
        "");
    EXPECT_EQ(headers, "");
    // The worker ended by itself: the 90-second limit never came into it.
    EXPECT_EQ(pump.Reasons(), std::vector<WakeReason> {WakeReason::Signalled});
}

TEST_F(FetchPageTest, AddressesThatCannotBeConnectedToGiveEmpty)
{
    TestPump pump;
    for (std::string const& url : std::vector<std::string> {
             "http://127.0.0.1:70000/", "http://127.0.0.1:-1/", "http://bad host/", "http:///echo"}) {
        EXPECT_EQ(FetchPage(pump, url), "") << url;
    }
}

TEST_F(FetchPageTest, CutOffWorkerNeverReachesTheCaller)
{
    // The reply's headers, with a cookie, come at once; the body never ends.
    TestPump pump;
    Text headers = "untouched";
    EXPECT_EQ(
        FetchPage(pump, m_server.Url("/trickle"), {.time_limit_seconds = 1, .response_headers = &headers}),
        "");
    EXPECT_EQ(headers, "");
    // The worker was stopped through its callbacks while the server kept sending: it ended
    // though the body never did.
    EXPECT_TRUE(WaitForFetchWorkers(30s));
    EXPECT_EQ(RunningFetchWorkers(), 0u);
    // It stored no cookie of the reply it had started to read, and left the caller's text alone.
    EXPECT_FALSE(HoldsCookie("cut_off"));
    EXPECT_EQ(headers, "");
}

TEST_F(FetchPageTest, ProxyListSendsTheRequestToTheProxy)
{
    LoopbackServer proxy;
    proxy.Routes().Get(".*", [&proxy](httplib::Request const& request, httplib::Response& response) {
        proxy.Remember(request);
        response.set_content("via proxy", "text/plain");
    });
    proxy.Start();
    TestPump pump;
    EXPECT_EQ(FetchPage(pump, "http://shop.invalid/page?id=1", {.proxy = proxy.Host()}), "via proxy");
    EXPECT_EQ(proxy.LastRequest().target, "http://shop.invalid/page?id=1");
    EXPECT_EQ(proxy.LastRequest().Header("Referer"), "http://shop.invalid/page?id=1");
}

TEST(HttpProxyFromList, TakesTheHttpEntry)
{
    EXPECT_EQ(HttpProxyFromList("http=127.0.0.1:8080"), "127.0.0.1:8080");
    EXPECT_EQ(HttpProxyFromList("ftp=f:21 http=h:80"), "h:80");
    EXPECT_EQ(HttpProxyFromList("ftp=f:21;HTTP=h:80"), "h:80");
    EXPECT_EQ(HttpProxyFromList("any:3128"), "any:3128");
    EXPECT_EQ(HttpProxyFromList("https=s:443"), "");
    EXPECT_EQ(HttpProxyFromList(""), "");
}

}
}
