// The page reads run with the window's event pump: the page arrives while the window's busy
// picture turns, and the user's clicks run during the read.
#include "window_fixture.h"

#include "market/sample_market.h"
#include "web/fetch_page.h"
#include "web/read_url.h"

#include <QTimer>

namespace velmora::testing {
namespace {

class ReadsInTheWindow : public MarketWindowTest {
protected:
    void SetUp() override
    {
        MarketWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        // A run is under way: the hint panel shows the turning busy picture.
        form().SetVisible(Control::分组框提示, true);
        ASSERT_TRUE(widget(Control::图片框5)->isVisible());
    }
};

TEST_F(ReadsInTheWindow, FetchPageReturnsThePageAndClicksRunDuringTheWait)
{
    market.Configure([](market::Scenario& scenario) {
        scenario.paces[market::MarketHost::Home].delay = std::chrono::milliseconds(300);
    });
    // The user closes the hint panel while the page is on its way.
    QTimer::singleShot(50, [this] { Click(Control::按钮关闭); });
    std::string const page = FetchPage(pump, "http://" + endpoints.HomeHost + "/");
    EXPECT_FALSE(page.empty());
    EXPECT_FALSE(widget(Control::分组框提示)->isVisible());
}

TEST_F(ReadsInTheWindow, ReadUrlReturnsThePage)
{
    Text url = "http://" + endpoints.HomeHost + "/";
    EXPECT_FALSE(ReadUrl(pump, url).empty());
}

}
}
