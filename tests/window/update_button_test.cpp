// The update button of the main window opens the update window, which checks the manifest.
#include "window_fixture.h"

#include "market/sample_market.h"
#include "update/qt/make_update_window.h"

#include <QPointer>

namespace velmora::testing {
namespace {

constexpr int CheckLimitMs = 60000;

class UpdateButton : public WindowTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(market.Start());
        endpoints.UpdateServer = market.Endpoints().UpdateServer;
        OpenWindow({EmbeddedBrowsers::None, MakeUpdateWindow});
    }

    market::SampleMarket market;
};

TEST_F(UpdateButton, OpensTheUpdateWindowWhichChecksTheManifest)
{
    form().SetAlwaysOnTop(true);
    desktop.next_answer = AnswerNo;
    Click(Control::按钮更新);

    QPointer<QWidget> update = window->UpdateWindow();
    ASSERT_FALSE(update.isNull());
    EXPECT_EQ(update->windowTitle(), QString("自动更新"));
    EXPECT_EQ(update->parentWidget(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !desktop.message_boxes.empty(); }, CheckLimitMs));
    EXPECT_EQ(desktop.message_boxes[0].caption, "发现新版"_gbk);
    EXPECT_EQ(market.Requests(market::MarketHost::Update).at(0).target, "/update/update.txt");
    EXPECT_FALSE(form().IsAlwaysOnTop());
    EXPECT_TRUE(window->windowState() & Qt::WindowMinimized);

    // "No" closes the update window; the program goes on.
    ASSERT_TRUE(QTest::qWaitFor([&] { return update.isNull(); }, CheckLimitMs));
    EXPECT_TRUE(window->isVisible());
}

}
}
