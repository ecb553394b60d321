// The embedded browsers: the hidden login browser loads its page at start, the banner shows
// its page in 分组框3's rectangle, a page that cannot load leaves the rest working, and the
// program object starts and ends cleanly.
#include "window_fixture.h"

#include "app/qt/velmora_application.h"
#include "market/sample_market.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTimer>
#include <QWebEngineView>

namespace velmora::testing {
namespace {

constexpr int LoadLimitMilliseconds = 60000;

// Waits for a view's next loadFinished; its ok argument, or false when none came.
bool WaitForLoad(QSignalSpy& spy)
{
    if (spy.isEmpty() && !spy.wait(LoadLimitMilliseconds))
        return false;
    return spy.takeFirst().at(0).toBool();
}

class Browsers : public WindowTest {
protected:
    void SetUp() override { }
};

TEST_F(Browsers, LoginPageAndBannerLoadFromTheirEndpoints)
{
    market::SampleMarket market;
    ASSERT_TRUE(market.Start());
    endpoints = market.Endpoints();
    OpenWindow({EmbeddedBrowsers::Load, {}});

    QWebEngineView* login = window->LoginBrowser();
    QWebEngineView* banner = window->Banner();
    ASSERT_NE(login, nullptr);
    ASSERT_NE(banner, nullptr);
    QSignalSpy login_loads(login, &QWebEngineView::loadFinished);
    QSignalSpy banner_loads(banner, &QWebEngineView::loadFinished);

    EXPECT_EQ(login, widget(Control::超文本浏览框1));
    EXPECT_EQ(login->objectName(), QStringLiteral("超文本浏览框1"));
    EXPECT_EQ(login->geometry(), QRect(-490, -102, 958, 455));
    EXPECT_FALSE(login->isVisible());
    EXPECT_EQ(banner->geometry(), widget(Control::分组框3)->geometry());
    EXPECT_TRUE(banner->isVisible());

    EXPECT_TRUE(WaitForLoad(login_loads));
    EXPECT_TRUE(WaitForLoad(banner_loads));
    EXPECT_EQ(form().GetText(Control::超文本浏览框1), endpoints.LoginPageUrl());
    EXPECT_EQ(banner->url(), QUrl(QString::fromStdString(endpoints.BannerPageUrl)));

    auto const logins = market.Requests(market::MarketHost::Login);
    ASSERT_FALSE(logins.empty());
    EXPECT_EQ(logins.front().target,
        "/member/login.jhtml?f=top&redirectURL=http%3A%2F%2F" + endpoints.HomeHost + "%2F");
    bool banner_requested = false;
    for (auto const& request : market.Requests(market::MarketHost::Update))
        banner_requested = banner_requested || request.target == "/banner.htm";
    EXPECT_TRUE(banner_requested);
    window.reset();
}

TEST_F(Browsers, PagesThatCannotLoadLeaveTheWindowWorking)
{
    // Nothing listens on port 1 of the loopback address.
    for (auto name : Endpoints::Names())
        endpoints.Set(name, "127.0.0.1:1");
    endpoints.BannerPageUrl = "http://127.0.0.1:1/banner.htm";
    OpenWindow({EmbeddedBrowsers::Load, {}});
    QSignalSpy login_loads(window->LoginBrowser(), &QWebEngineView::loadFinished);
    QSignalSpy banner_loads(window->Banner(), &QWebEngineView::loadFinished);
    EXPECT_FALSE(WaitForLoad(login_loads));
    EXPECT_FALSE(WaitForLoad(banner_loads));

    Click(Control::单选框宝贝搜索);
    EXPECT_FALSE(widget(Control::组合框类别)->isEnabled());
    EXPECT_TRUE(window->Banner()->isVisible());
    window.reset();
}

TEST(VelmoraApplication, RunsUntilTheMainWindowClosesAndReturnsZero)
{
    Endpoints endpoints = WindowTestEndpoints();
    for (auto name : Endpoints::Names())
        endpoints.Set(name, "127.0.0.1:1");
    endpoints.BannerPageUrl = "http://127.0.0.1:1/banner.htm";
    VelmoraApplication application(endpoints);
    MainWindow& window = application.Window();
    bool was_shown = false;
    QSignalSpy loads(window.LoginBrowser(), &QWebEngineView::loadFinished);
    // Once the login page has given up, close the window as the user would.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        was_shown = was_shown || window.isVisible();
        if (!loads.isEmpty())
            window.close();
    });
    poll.start(20);
    EXPECT_EQ(application.Run(), 0);
    EXPECT_TRUE(was_shown);
    EXPECT_FALSE(window.isVisible());
    QApplication::setQuitOnLastWindowClosed(true);
}

}
}
