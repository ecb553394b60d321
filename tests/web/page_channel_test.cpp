#include "web/page_channel.h"

#include <atomic>
#include <future>
#include <gtest/gtest.h>
#include <thread>

namespace velmora {
namespace {

TEST(PageChannel, CarriesOneRequestAndThenOneReply)
{
    PageChannel channel;
    EXPECT_FALSE(channel.TakeRequest());
    channel.WriteRequest({.url = "http://h/", .post_data = "a=1"});
    // The request is no reply, and taking it leaves the channel empty.
    EXPECT_FALSE(channel.TakeReply());
    channel.WriteRequest({.url = "http://h/", .post_data = "a=1"});
    auto request = channel.TakeRequest();
    ASSERT_TRUE(request);
    EXPECT_EQ(request->url, "http://h/");
    EXPECT_EQ(request->post_data, "a=1");
    EXPECT_FALSE(channel.TakeRequest());

    bool finished = false;
    channel.FinishAndWriteReply(
        {.header_text = "HTTP/1.1 200 OK\r\n\r\n", .body = "page"}, [&](PageReply& reply) {
            finished = true;
            reply.stored_cookies = true;
        });
    EXPECT_TRUE(finished);
    EXPECT_FALSE(channel.TakeRequest());
    auto reply = channel.TakeReply();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->body, "page");
    EXPECT_TRUE(reply->stored_cookies);
    EXPECT_FALSE(channel.TakeReply());
}

TEST(PageChannel, NothingTheWorkerDoesAfterTheCutOffIsKept)
{
    PageChannel channel;
    channel.WriteRequest({.url = "http://h/"});
    ASSERT_TRUE(channel.TakeRequest());
    channel.CutOff();
    EXPECT_TRUE(channel.Stop().IsStopped());
    bool finished = false;
    channel.FinishAndWriteReply({.body = "late"}, [&](PageReply&) { finished = true; });
    EXPECT_FALSE(finished);
    EXPECT_FALSE(channel.TakeReply());
}

TEST(PageChannel, CutOffWaitsForAFinishThatHasBegun)
{
    PageChannel channel;
    std::promise<void> entered;
    std::atomic<bool> done {false};
    std::thread worker([&] {
        channel.FinishAndWriteReply({.body = "page"}, [&](PageReply&) {
            entered.set_value();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            done = true;
        });
    });
    entered.get_future().wait();
    channel.CutOff();
    // The finish ran whole before the cut-off, and the cut-off discarded its reply.
    EXPECT_TRUE(done);
    EXPECT_FALSE(channel.TakeReply());
    worker.join();
}

}
}
