// A main window for the tests: loopback endpoints, a recording desktop, shown offscreen and
// without its embedded browsers unless a test asks for them.
#pragma once

#include "app/desktop.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_event_pump.h"
#include "app/qt/qt_form.h"
#include "app/qt/tab_control.h"
#include "market/sample_market.h"

#include <QAbstractButton>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace velmora::testing {

inline Endpoints WindowTestEndpoints()
{
    Endpoints endpoints = Endpoints::Marketplace();
    for (auto name : Endpoints::Names())
        endpoints.Set(name, "127.0.0.1:9");
    endpoints.BannerPageUrl = "http://127.0.0.1:9/banner.htm";
    endpoints.HelpPageUrl = "http://127.0.0.1:9/help.htm";
    endpoints.MakerShopUrl = "http://127.0.0.1:9/shop.htm";
    endpoints.SupportContact = "12345678";
    endpoints.LoginScheme = "http://";
    endpoints.ExampleShopAddress = "http://127.0.0.1:9/example-shop/";
    endpoints.ExampleItemAddress = "http://127.0.0.1:9/item.htm?id=4242";
    return endpoints;
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { OpenWindow({EmbeddedBrowsers::None, {}}); }

    void OpenWindow(WindowOptions options)
    {
        window = std::make_unique<MainWindow>(endpoints, pump, desktop, std::move(options));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    QtForm& form() { return window->GetForm(); }
    Session& session() { return window->GetSession(); }
    QWidget* widget(Control control) { return window->Widget(control); }

    // A click of the left mouse button in the middle of the control.
    void Click(Control control)
    {
        QWidget* target = widget(control);
        ASSERT_NE(target, nullptr);
        QTest::mouseClick(target, Qt::LeftButton);
    }

    void ShowTab(int index)
    {
        QTabBar* bar = window->Tabs().Bar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }

    Endpoints endpoints = WindowTestEndpoints();
    QtEventPump pump;
    RecordingDesktop desktop;
    std::unique_ptr<MainWindow> window;
};

// A window whose endpoints are those of a sample marketplace started for the test.
class MarketWindowTest : public WindowTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(market.Start());
        endpoints = market.Endpoints();
        WindowTest::SetUp();
    }

    market::SampleMarket market;
};

}
