#include "support/loopback_server.h"
#include "web/http_transfer.h"

#include <future>
#include <gtest/gtest.h>

namespace velmora {
namespace {

using namespace std::chrono_literals;
using testing::LoopbackServer;

TEST(HttpTransfer, StopFromAnotherThreadEndsAWaitingTransfer)
{
    LoopbackServer server;
    std::promise<void> arrived;
    server.Routes().Get("/silent", [&](httplib::Request const&, httplib::Response& response) {
        arrived.set_value();
        server.HoldUntilReleased();
        response.set_content("late", "text/plain");
    });
    server.Start();

    TransferStop stop;
    HttpTransfer transfer(HttpRequest {.url = server.Url("/silent")});
    auto end = std::async(std::launch::async, [&] { return transfer.Run(10s, {}, &stop); });
    arrived.get_future().wait();
    stop.Stop();
    // Without the stop the transfer would wait until the server lets go, at its end.
    EXPECT_EQ(end.get(), TransferEnd::Stopped);
    EXPECT_EQ(transfer.Body(), "");
}

TEST(HttpTransfer, StoppedBeforeItRunsItNeverConnects)
{
    LoopbackServer server;
    server.Routes().Get("/page", [&](httplib::Request const& request, httplib::Response& response) {
        server.Remember(request);
        response.set_content("page", "text/plain");
    });
    server.Start();
    TransferStop stop;
    stop.Stop();
    HttpTransfer transfer(HttpRequest {.url = server.Url("/page")});
    EXPECT_EQ(transfer.Run(10s, {}, &stop), TransferEnd::Stopped);
    EXPECT_TRUE(server.Requests().empty());
}

TEST(EscapeForRequestLine, EscapesWhatMayNotStandInARequestLine)
{
    EXPECT_EQ(EscapeForRequestLine("http://h/a b?q=\xD6\xD0&r=%41"), "http://h/a%20b?q=%D6%D0&r=%41");
    EXPECT_EQ(EscapeForRequestLine("\t\r\n\x7F~!"), "%09%0D%0A%7F~!");
}

}
}
