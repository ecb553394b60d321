#include "support/loopback_server.h"
#include "support/test_pump.h"
#include "web/online_status.h"

#include <atomic>
#include <gtest/gtest.h>

namespace velmora {
namespace {

using testing::LoopbackServer;
using testing::RefusingPort;
using testing::TestPump;

class OnlineStatusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_server.Routes().Get(
            "/online.aw", [this](httplib::Request const& request, httplib::Response& response) {
                m_server.Remember(request);
                response.set_content(std::string(m_image_size.load(), 'G'), "image/gif");
            });
        m_server.Start();
        m_endpoints.StatusHost = m_server.Host();
    }

    LoopbackServer m_server;
    Endpoints m_endpoints;
    UrlCodec const m_codec {};
    std::atomic<std::size_t> m_image_size {0};
};

TEST_F(OnlineStatusTest, TheImageSizeTellsTheState)
{
    struct SizeCase {
        std::size_t size;
        Text expected;
    };
    SizeCase const cases[] = {
        {0, " -  "},
        {500, " -  "},
        {501, "离线"_gbk},
        {2000, "离线"_gbk},
        {2001, "手机"_gbk},
        {4000, "手机"_gbk},
        {4001, "在线"_gbk},
    };
    for (auto const& test : cases) {
        m_image_size = test.size;
        TestPump pump;
        EXPECT_EQ(ProbeOnlineStatus(pump, m_endpoints, m_codec, "ab"), test.expected)
            << test.size << " bytes";
    }
}

TEST_F(OnlineStatusTest, TheNicknameIsEscapedByteByByte)
{
    TestPump pump;
    ProbeOnlineStatus(pump, m_endpoints, m_codec, "ab");
    EXPECT_EQ(m_server.LastRequest().target, "/online.aw?v=2&uid=%61%62&site=cntaobao&s=1&charset=utf-8");
    ProbeOnlineStatus(pump, m_endpoints, m_codec, "中"_gbk);
    EXPECT_EQ(m_server.LastRequest().target, "/online.aw?v=2&uid=%E4%B8%AD&site=cntaobao&s=1&charset=utf-8");
}

TEST_F(OnlineStatusTest, NoReplyGivesNoState)
{
    RefusingPort refusing;
    m_endpoints.StatusHost = "127.0.0.1:" + std::to_string(refusing.Port());
    TestPump pump;
    EXPECT_EQ(ProbeOnlineStatus(pump, m_endpoints, m_codec, "ab"), " -  ");
}

}
}
