// The browsers' cookies and the program's cookie store mirror each other: the login page's
// cookies go with the program's own page reads, the program's cookies reach the browsers,
// and no copy comes back as a change.
#include "window_fixture.h"

#include "app/qt/cookie_mirror.h"
#include "market/sample_market.h"
#include "web/read_url.h"

#include <QSignalSpy>
#include <QWebEngineCookieStore>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <atomic>
#include <chrono>

namespace velmora::testing {
namespace {

using std::chrono::system_clock;

constexpr int LimitMilliseconds = 60000;

TEST(CookieForms, RoundTripBetweenTheStoreAndTheBrowser)
{
    auto const expiry = system_clock::time_point(std::chrono::seconds(1900000000));
    struct Case {
        char const* label;
        Cookie cookie;
        char const* browser_domain;
        char const* origin;
    };
    Case const cases[] = {
        {"domain cookie", {"example.com", true, "/", "a", "1", false, false, std::nullopt}, ".example.com",
            "http://example.com/"},
        {"host cookie", {"127.0.0.1", false, "/member", "b", "x y", false, false, std::nullopt}, "",
            "http://127.0.0.1/member"},
        {"secure and hidden from scripts", {"shop.example", true, "/", "c", "2", true, true, expiry},
            ".shop.example", "https://shop.example/"},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.label);
        QNetworkCookie const browser_cookie = ToBrowserCookie(c.cookie);
        EXPECT_EQ(browser_cookie.domain(), QString::fromUtf8(c.browser_domain));
        EXPECT_EQ(browser_cookie.isSessionCookie(), !c.cookie.expires.has_value());
        EXPECT_EQ(CookieOrigin(c.cookie), QUrl(QString::fromUtf8(c.origin)));
        Cookie back = ToCookie(browser_cookie);
        // A host cookie comes back from the browser with its origin's host as domain.
        if (!c.cookie.include_subdomains) {
            EXPECT_EQ(back.domain, "");
            back.domain = c.cookie.domain;
        }
        EXPECT_EQ(back, c.cookie);
    }
    // The browser writes a domain in any case; the store keeps it in lower case.
    QNetworkCookie mixed("n", "v");
    mixed.setDomain(QStringLiteral(".Example.COM"));
    EXPECT_EQ(ToCookie(mixed).domain, "example.com");
    EXPECT_TRUE(ToCookie(mixed).include_subdomains);
    EXPECT_EQ(ToCookie(mixed).path, "/");
}

bool StoreHasCookie(std::string_view name, std::string_view value)
{
    for (auto const& cookie : CookieStore::Shared().List()) {
        if (cookie.name == name && cookie.value == value)
            return true;
    }
    return false;
}

bool StoreHasCookieNamed(std::string_view name)
{
    for (auto const& cookie : CookieStore::Shared().List()) {
        if (cookie.name == name)
            return true;
    }
    return false;
}

class CookieMirroring : public WindowTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(market.Start());
        endpoints = market.Endpoints();
        OpenWindow({EmbeddedBrowsers::Load, {}});
        QSignalSpy loads(window->LoginBrowser(), &QWebEngineView::loadFinished);
        ASSERT_TRUE(loads.wait(LimitMilliseconds));
        ASSERT_TRUE(loads.first().at(0).toBool());
    }

    void TearDown() override { window.reset(); }

    QWebEngineCookieStore& BrowserCookies() { return *QWebEngineProfile::defaultProfile()->cookieStore(); }

    // Loads the home page in the login browser and returns the Cookie header it sent.
    std::string BrowserCookieHeader()
    {
        market.ClearRequests();
        QSignalSpy loads(window->LoginBrowser(), &QWebEngineView::loadFinished);
        window->LoginBrowser()->load(QUrl(QString::fromStdString("http://" + endpoints.HomeHost + "/")));
        EXPECT_TRUE(loads.wait(LimitMilliseconds));
        auto const requests = market.Requests(market::MarketHost::Home);
        return requests.empty() ? std::string() : requests.front().Header("Cookie");
    }

    market::SampleMarket market;
};

TEST_F(CookieMirroring, TheLoginPagesCookiesGoWithTheProgramsOwnReads)
{
    ASSERT_TRUE(QTest::qWaitFor(
        [] { return StoreHasCookie("cookie2", "1f2e3d4c5b6a79880f1e2d3c4b5a6978"); }, LimitMilliseconds));
    EXPECT_TRUE(StoreHasCookie("_tb_token_", "e3a5f8b2c1d0"));

    market.ClearRequests();
    Text url = "http://" + endpoints.HomeHost + "/";
    EXPECT_FALSE(ReadUrl(pump, url).empty());
    auto const requests = market.Requests(market::MarketHost::Home);
    ASSERT_EQ(requests.size(), 1u);
    std::string const sent = requests.front().Header("Cookie");
    EXPECT_NE(sent.find("cookie2=1f2e3d4c5b6a79880f1e2d3c4b5a6978"), std::string::npos) << sent;
    EXPECT_NE(sent.find("t=8c2f9e7d6b5a4c3d2e1f0a9b8c7d6e5f"), std::string::npos) << sent;
}

TEST_F(CookieMirroring, TheProgramsCookiesReachTheBrowserOnceAndLeaveItWhenRemoved)
{
    std::atomic<int> store_changes {0};
    auto const counter = CookieStore::Shared().Observe([&store_changes](CookieChange const& change) {
        if (change.cookie.name == "from_program")
            ++store_changes;
    });
    QSignalSpy browser_added(&BrowserCookies(), &QWebEngineCookieStore::cookieAdded);
    QSignalSpy browser_removed(&BrowserCookies(), &QWebEngineCookieStore::cookieRemoved);
    auto count_named = [](QSignalSpy const& spy, QByteArray const& name) {
        int count = 0;
        for (auto const& arguments : spy)
            count += arguments.at(0).value<QNetworkCookie>().name() == name ? 1 : 0;
        return count;
    };

    ASSERT_TRUE(SetCookie("http://" + endpoints.HomeHost + "/", "from_program", "v1"));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return count_named(browser_added, "from_program") > 0; }, LimitMilliseconds));
    std::string const header = BrowserCookieHeader();
    EXPECT_NE(header.find("from_program=v1"), std::string::npos) << header;

    // A new value replaces the old one on both sides; the browser's report of the old one
    // as removed does not remove the new one from the store.
    ASSERT_TRUE(SetCookie("http://" + endpoints.HomeHost + "/", "from_program", "v2"));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return count_named(browser_added, "from_program") > 1; }, LimitMilliseconds));
    std::string const second_header = BrowserCookieHeader();
    EXPECT_NE(second_header.find("from_program=v2"), std::string::npos) << second_header;
    EXPECT_TRUE(StoreHasCookie("from_program", "v2"));

    // Each change was told once: nothing came back from the browser as another change.
    EXPECT_EQ(store_changes.load(), 2);
    EXPECT_EQ(count_named(browser_added, "from_program"), 2);

    for (auto const& cookie : CookieStore::Shared().List()) {
        if (cookie.name == "from_program")
            CookieStore::Shared().Remove(cookie);
    }
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return count_named(browser_removed, "from_program") > 1; }, LimitMilliseconds));
    std::string const last_header = BrowserCookieHeader();
    EXPECT_EQ(last_header.find("from_program"), std::string::npos) << last_header;
    EXPECT_EQ(store_changes.load(), 3);
    CookieStore::Shared().StopObserving(counter);
}

TEST_F(CookieMirroring, ACookieThePageSetsAndDropsDoesTheSameInTheStore)
{
    QWebEnginePage* page = window->LoginBrowser()->page();
    page->runJavaScript(QStringLiteral("document.cookie = 'from_page=p1; path=/';"));
    ASSERT_TRUE(QTest::qWaitFor([] { return StoreHasCookie("from_page", "p1"); }, LimitMilliseconds));

    page->runJavaScript(
        QStringLiteral("document.cookie = 'from_page=; expires=Thu, 01 Jan 1970 00:00:00 GMT; path=/';"));
    EXPECT_TRUE(QTest::qWaitFor([] { return !StoreHasCookieNamed("from_page"); }, LimitMilliseconds));
}

}
}
