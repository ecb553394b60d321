#include "market/sample_market.h"
#include "update/qt/progress_canvas.h"
#include "update/qt/update_window_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QProgressBar>
#include <QTest>
#include <QThread>

#include <filesystem>
#include <random>

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Generous bounds for a shared machine; not timing checks.
constexpr int DownloadLimitMs = 60000;

// The program around the window in a test: records what would end the program.
class TestHost final : public UpdateHost {
public:
    Text MainWindowCaption() const override { return "Velmora [2011-1226]"; }
    void SetMainWindowAlwaysOnTop(bool) override { }
    void MinimiseMainWindow() override { }
    void ShowMainWindow() override { }
    bool StartScript(std::filesystem::path const& script) override
    {
        started_scripts.push_back(script);
        return true;
    }
    void EndProgram() override
    {
        // The download's last event reaches the window on the user-interface thread.
        ended_on_interface_thread = QThread::currentThread() == QCoreApplication::instance()->thread();
        ++end_requests;
    }
    void PostToUserInterface(std::function<void()> call) override { call(); }

    bool ended_on_interface_thread {false};

    std::vector<std::filesystem::path> started_scripts;
    int end_requests {0};
};

class UpdateWindowTest : public ::testing::Test {
protected:
    UpdateWindowTest()
    {
        std::random_device seed;
        program
            = {fs::temp_directory_path() / ("velmora-window-update-" + std::to_string(seed())), "velmora"};
        fs::create_directories(program.directory);
        market.Configure([](market::Scenario& scenario) {
            // A larger file in paced pieces, so that the window shows the download under way.
            scenario.update.program_file = std::string(64 * 1024, 'v');
            scenario.paces[market::MarketHost::Update].chunk_bytes = 2048;
            scenario.paces[market::MarketHost::Update].chunk_pause = 30ms;
        });
        EXPECT_TRUE(market.Start());
        desktop.next_answer = AnswerYes;
    }
    ~UpdateWindowTest() override { fs::remove_all(program.directory); }

    market::SampleMarket market;
    ProgramFile program;
    TestHost host;
    RecordingDesktop desktop;
    WindowlessEventPump pump;
};

QColor PixelAt(QImage const& image, QPoint point)
{
    return image.pixelColor(point);
}

TEST_F(UpdateWindowTest, CanvasShowsThePercentageAndTheBarDuringTheDownload)
{
    auto* window = new UpdateWindowWidget(host, desktop, pump, market.Endpoints(), program);
    QPointer<UpdateWindowWidget> alive(window);
    EXPECT_EQ(window->windowTitle(), QString("自动更新"));
    EXPECT_EQ(window->size(), QSize(428, 76));
    auto* canvas = window->findChild<ProgressCanvas*>("画板1");
    auto* bar = window->findChild<QProgressBar*>("下载进度条");
    ASSERT_TRUE(canvas && bar);
    EXPECT_EQ(canvas->geometry(), QRect(8, 18, 408, 16));
    EXPECT_EQ(bar->geometry(), QRect(8, 112, 408, 16));
    EXPECT_FALSE(bar->isVisible());

    window->Start();
    ASSERT_TRUE(alive);
    ASSERT_EQ(desktop.message_boxes.size(), 1u);
    EXPECT_EQ(desktop.message_boxes[0].caption, "发现新版"_gbk);
    EXPECT_TRUE(window->isVisible());

    // Under way: some percentage above 0 and below 100 is on the canvas.
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->value() > 10 && bar->value() < 100; }, DownloadLimitMs));
    int const percent = bar->value();
    EXPECT_EQ(canvas->LastLine(), QString::number(percent) + "%");
    EXPECT_EQ(window->windowTitle(), QString("正在更新"));
    QImage const shot = window->grab().toImage();
    fs::create_directories(VELMORA_SCREENSHOT_DIR);
    EXPECT_TRUE(
        shot.save(QString::fromStdString(std::string(VELMORA_SCREENSHOT_DIR) + "/update_window.png")));

    // The bar covers the canvas from its left edge up to the percentage.
    QImage const drawn = canvas->grab().toImage();
    int const right = static_cast<int>(-1 + 408 / 100.0 * percent);
    EXPECT_EQ(PixelAt(drawn, {1, 1}), QColor::fromRgb(ProgressCanvas::BarColour));
    EXPECT_EQ(PixelAt(drawn, {right - 2, 14}), QColor::fromRgb(ProgressCanvas::BarColour));
    EXPECT_NE(PixelAt(drawn, {406, 14}), QColor::fromRgb(ProgressCanvas::BarColour));

    // While the download shows progress, the window refuses to close.
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(host.end_requests, 0);

    ASSERT_TRUE(QTest::qWaitFor([&] { return host.end_requests > 0; }, DownloadLimitMs));
    EXPECT_EQ(bar->value(), 100);
    EXPECT_EQ(canvas->LastLine(), QString("100%"));
    EXPECT_EQ(host.started_scripts.size(), 1u);
    EXPECT_TRUE(host.ended_on_interface_thread);
    delete window;
}

TEST_F(UpdateWindowTest, NoNewerVersionDestroysTheWindow)
{
    market.Configure([](market::Scenario& scenario) { scenario.update.newest_version = "2011-12-26"; });
    auto* window = new UpdateWindowWidget(host, desktop, pump, market.Endpoints(), program);
    QPointer<UpdateWindowWidget> alive(window);
    window->Start();
    ASSERT_EQ(desktop.message_boxes.size(), 1u);
    EXPECT_EQ(desktop.message_boxes[0].caption, "无需升级"_gbk);
    EXPECT_TRUE(QTest::qWaitFor([&] { return alive.isNull(); }, DownloadLimitMs));
    EXPECT_EQ(host.end_requests, 0);
}

}
}
