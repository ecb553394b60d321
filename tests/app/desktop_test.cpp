#include "app/desktop.h"
#include "web/endpoints.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(TimedMessageBox, PadsTheTextAndReturnsTheAnswerMinusOne)
{
    RecordingDesktop desktop;
    desktop.next_answer = AnswerTimedOut;
    EXPECT_EQ(TimedMessageBox(desktop, "请输入关键字！"_gbk), 31999);
    ASSERT_EQ(desktop.message_boxes.size(), 1u);
    EXPECT_EQ(desktop.message_boxes[0].text, " " + "请输入关键字！"_gbk + " ");
    EXPECT_EQ(desktop.message_boxes[0].caption, "提示"_gbk);
    EXPECT_EQ(desktop.message_boxes[0].style, StyleOk);
    EXPECT_EQ(desktop.message_boxes[0].limit_milliseconds, 5000);

    desktop.next_answer = AnswerOk;
    EXPECT_EQ(TimedMessageBox(desktop, "x"), 0);
    desktop.next_answer = AnswerNone;
    EXPECT_EQ(TimedMessageBox(desktop, "x"), -1);
}

TEST(OpenInBrowser, EmptyAddressOpensTheMakersShop)
{
    RecordingDesktop desktop;
    auto endpoints = Endpoints::Marketplace();
    OpenInBrowser(desktop, endpoints, "");
    OpenInBrowser(desktop, endpoints, "tencent://Message/?uin=1");
    EXPECT_EQ(desktop.opened_urls, (std::vector<Text> {endpoints.MakerShopUrl, "tencent://Message/?uin=1"}));

    OpenInBrowser(desktop, endpoints, "http://a", BrowserChoice::FixedBrowser);
    EXPECT_TRUE(desktop.started_programs.empty());
    desktop.fixed_browser_exists = true;
    OpenInBrowser(desktop, endpoints, "http://a", BrowserChoice::FixedBrowser);
    EXPECT_EQ(desktop.started_programs,
        (std::vector<Text> {"C:\\Program Files\\Internet Explorer\\iexplore.exe http://a"}));
}

TEST(Endpoints, SetByNameAndLoginAddress)
{
    auto endpoints = Endpoints::Marketplace();
    EXPECT_TRUE(endpoints.Set("RatingHost", "127.0.0.1:4000"));
    EXPECT_EQ(endpoints.RatingHost, "127.0.0.1:4000");
    EXPECT_EQ(endpoints.Get("RatingHost"), "127.0.0.1:4000");
    EXPECT_FALSE(endpoints.Set("NoSuchHost", "x"));
    EXPECT_EQ(endpoints.Get("NoSuchHost"), std::nullopt);
    EXPECT_EQ(endpoints.LoginPageUrl(),
        "https://login.taobao.com/member/login.jhtml?f=top&redirectURL=http%3A%2F%2Fwww.taobao.com%2F");
}

}
}
