#include "app/memory_form.h"
#include "app/session.h"
#include "buyers/chat_link.h"
#include "support/test_pump.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

Endpoints ChatEndpoints()
{
    Endpoints endpoints;
    endpoints.StatusHost = "amos.test:8088";
    endpoints.MakerShopUrl = "http://maker.test/";
    return endpoints;
}

TEST(ChatLink, AddressKeysInOrderWithTheNicknameInUtf8Escapes)
{
    UrlCodec codec;
    struct {
        Text nickname;
        char const* address;
    } const cases[] = {
        {"中a"_gbk, "http://amos.test:8088/msg.aw?v=2&uid=%E4%B8%AD%61&site=cntaobao&s=1&charset=utf-8"},
        {"tb 1", "http://amos.test:8088/msg.aw?v=2&uid=%74%62%20%31&site=cntaobao&s=1&charset=utf-8"},
        {"a&s=2", "http://amos.test:8088/msg.aw?v=2&uid=%61%26%73%3D%32&site=cntaobao&s=1&charset=utf-8"},
    };
    for (auto const& c : cases)
        EXPECT_EQ(ChatLinkAddress(ChatEndpoints(), codec, c.nickname), c.address) << c.address;
}

class BuyerListDoubleClick : public ::testing::Test {
protected:
    BuyerListDoubleClick()
        : session(form, pump, desktop, ChatEndpoints())
    {
        form.SetAlwaysOnTop(true);
        for (auto const& [number, nickname, status] :
            {std::tuple {"1", "林间小鹿"_gbk, "在线"_gbk}, std::tuple {"2", "tb8812"_gbk, " -  "_gbk}}) {
            int row = form.RowCount(Control::超级列表框1);
            form.InsertRow(Control::超级列表框1, row, number);
            form.SetCell(Control::超级列表框1, row, 1, nickname);
            form.SetCell(Control::超级列表框1, row, 2, status);
        }
    }

    MemoryForm form;
    testing::TestPump pump;
    RecordingDesktop desktop;
    Session session;
};

TEST_F(BuyerListDoubleClick, OpensTheSelectedBuyersChatAndDropsAlwaysOnTop)
{
    form.SelectRow(Control::超级列表框1, 0);
    OpenBuyerChat(session);
    ASSERT_EQ(desktop.opened_urls.size(), 1u);
    EXPECT_EQ(desktop.opened_urls[0],
        "http://amos.test:8088/"
        "msg.aw?v=2&uid=%E6%9E%97%E9%97%B4%E5%B0%8F%E9%B9%BF&site=cntaobao&s=1&charset=utf-8");
    EXPECT_FALSE(form.IsAlwaysOnTop());
    EXPECT_TRUE(desktop.started_programs.empty());
}

TEST_F(BuyerListDoubleClick, OfflineBuyerOpensTheSameWay)
{
    form.SelectRow(Control::超级列表框1, 1);
    OpenBuyerChat(session);
    ASSERT_EQ(desktop.opened_urls.size(), 1u);
    EXPECT_EQ(desktop.opened_urls[0],
        "http://amos.test:8088/msg.aw?v=2&uid=%74%62%38%38%31%32&site=cntaobao&s=1&charset=utf-8");
}

TEST_F(BuyerListDoubleClick, NoSelectedRowDoesNothing)
{
    OpenBuyerChat(session);
    form.SelectRow(Control::超级列表框1, -1);
    OpenBuyerChat(session);
    EXPECT_TRUE(desktop.opened_urls.empty());
    EXPECT_TRUE(form.IsAlwaysOnTop());
}

}
}
