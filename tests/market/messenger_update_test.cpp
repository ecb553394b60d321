// The messenger's status images and chat page, the update server's files, and the login,
// banner and help pages.
#include "market/messenger_pages.h"
#include "market_test_support.h"
#include "web/url_codec.h"

namespace velmora::market {
namespace {

using testing::Fetch;
using testing::FetchBody;
using testing::HostOf;
using testing::TargetOf;

// The state a collector reads from the size of a status image.
std::string StateOfSize(std::size_t bytes)
{
    if (bytes > 4000)
        return "在线";
    if (bytes > 2000)
        return "手机";
    if (bytes > 500)
        return "离线";
    return " -  ";
}

std::string StatusTarget(Text const& nickname)
{
    return "/online.aw?v=2&uid=" + UrlCodec {}.EncodeUtf8(nickname) + "&site=cntaobao&s=1&charset=utf-8";
}

class MessengerAndUpdate : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_market = testing::StartedMarket(); }
    static void TearDownTestSuite() { s_market.reset(); }
    static std::unique_ptr<SampleMarket> s_market;
};
std::unique_ptr<SampleMarket> MessengerAndUpdate::s_market;

TEST_F(MessengerAndUpdate, StatusImageSizesFallInTheClassOfEachUsersState)
{
    struct {
        char const* nickname;
        char const* state;
    } const cases[] = {
        {"小鱼儿的衣橱", "在线"}, // seller
        {"糖果美美", "手机"},
        {"蓝色海岸线", "离线"},
        {"阿狸家的裙子", " -  "}, // a seller the service does not know
        {"tb_小丸子", "在线"}, // buyer
        {"lily0927", "手机"},
        {"快乐的小猪88", "离线"},
        {"t**5", " -  "}, // masked
        {"从来没有这个人", " -  "}, // not in the data set
        {"", " -  "},
    };
    Text const status_host = s_market->Endpoints().StatusHost;
    for (auto const& c : cases) {
        auto reply = Fetch(status_host, StatusTarget(Utf8ToGbk(c.nickname)));
        ASSERT_TRUE(reply) << c.nickname;
        EXPECT_EQ(reply->status, 200);
        EXPECT_EQ(reply->get_header_value("Content-Type"), "image/gif");
        EXPECT_EQ(StateOfSize(reply->body.size()), c.state)
            << c.nickname << ": " << reply->body.size() << " bytes";
    }
}

TEST_F(MessengerAndUpdate, TheChatPageNamesTheUser)
{
    Text const nickname = "爱购物的猫"_gbk;
    std::string const body = FetchBody(s_market->Endpoints().StatusHost,
        "/msg.aw?v=2&uid=" + UrlCodec {}.EncodeUtf8(nickname) + "&site=cntaobao&s=1&charset=utf-8");
    EXPECT_TRUE(ContainsMarker(body, nickname));
    EXPECT_TRUE(ContainsMarker(body, "在线"_gbk));
}

TEST(StatusSwitches, StatesAndImageSizesCanBeChosen)
{
    Scenario scenario;
    scenario.status_image_sizes = {4001, 4000, 2000, 500};
    scenario.online_states["蓝色海岸线"_gbk] = OnlineState::Online;
    auto market = testing::StartedMarket(scenario);
    Text const status_host = market->Endpoints().StatusHost;
    auto size_of = [&](char const* nickname) {
        auto reply = Fetch(status_host, StatusTarget(Utf8ToGbk(nickname)));
        return reply ? reply->body.size() : 0;
    };
    EXPECT_EQ(size_of("蓝色海岸线"), 4001u);
    EXPECT_EQ(size_of("糖果美美"), 4000u);
    EXPECT_EQ(size_of("快乐的小猪88"), 2000u);
    EXPECT_EQ(size_of("无名氏"), 500u);

    market->Configure([](Scenario& s) { s.everyone_state = OnlineState::Offline; });
    EXPECT_EQ(size_of("小鱼儿的衣橱"), 2000u);
    EXPECT_EQ(size_of("蓝色海岸线"), 4001u) << "a state chosen by name wins";
    EXPECT_EQ(size_of("无名氏"), 500u) << "an unknown user stays unknown";
}

// The manifest read as the update check reads it: CR LF lines, trimmed; a key of 8 bytes,
// two separator bytes, the value from byte 11.
struct Manifest {
    Text first_product;
    Text newest_version;
    Text download_address;
    std::vector<Text> notes;
};

Manifest ReadManifest(std::string_view text)
{
    Manifest manifest;
    bool inside = false;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find("\r\n", start);
        std::string_view raw
            = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        start = end == std::string_view::npos ? text.size() + 1 : end + 2;
        Text const line = TrimSpaces(raw);
        Text const key = line.substr(0, 8);
        Text const value = line.size() > 10 ? line.substr(10) : Text {};
        if (key == "软件名称"_gbk) {
            if (manifest.first_product.empty())
                manifest.first_product = value;
            if (inside)
                break;
            inside = value == "Velmora";
            continue;
        }
        if (!inside)
            continue;
        if (key == "最新版本"_gbk)
            manifest.newest_version = value;
        else if (key == "下载地址"_gbk)
            manifest.download_address = value;
        else if (key == "更新说明"_gbk && !value.empty())
            manifest.notes.push_back(value);
    }
    return manifest;
}

TEST_F(MessengerAndUpdate, TheManifestNamesTheNewestVersionAndAProgramFileThatIsServed)
{
    Text const update = s_market->Endpoints().UpdateServer;
    auto reply = Fetch(update, "/update/update.txt");
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->get_header_value("Content-Type"), "text/plain; charset=gbk");
    Manifest const manifest = ReadManifest(reply->body);
    EXPECT_EQ(manifest.first_product, "Velmora");
    EXPECT_EQ(manifest.newest_version, "2012-01-05");
    EXPECT_EQ(manifest.notes, UpdateFiles::DefaultReleaseNotes());
    ASSERT_FALSE(manifest.download_address.empty());
    EXPECT_EQ(FetchBody(HostOf(manifest.download_address), TargetOf(manifest.download_address)),
        UpdateFiles::DefaultProgramFile());
}

TEST(UpdateSwitches, VersionProgramFileAndAnotherProductFirst)
{
    Scenario scenario;
    scenario.update.newest_version = "2011.12.26";
    scenario.update.other_product_first = true;
    scenario.update.release_notes = {"   ", "第二行"_gbk};
    scenario.update.program_file = std::string(100000, '\x7F') + "end";
    auto market = testing::StartedMarket(scenario);
    Text const update = market->Endpoints().UpdateServer;
    Manifest const manifest = ReadManifest(FetchBody(update, "/update/update.txt"));
    EXPECT_NE(manifest.first_product, "Velmora");
    EXPECT_TRUE(manifest.first_product.starts_with("Velmora")) << "a near miss of the name";
    EXPECT_EQ(manifest.newest_version, "2011.12.26");
    // A note of blanks stands in the manifest and reads as empty.
    EXPECT_EQ(manifest.notes, (std::vector<Text> {"第二行"_gbk}));
    auto download = Fetch(HostOf(manifest.download_address), TargetOf(manifest.download_address));
    ASSERT_TRUE(download);
    EXPECT_EQ(download->get_header_value("Content-Length"), "100003");
    EXPECT_EQ(download->body, scenario.update.program_file);

    market->Configure([](Scenario& s) { s.update.manifest_text = "nothing here"; });
    EXPECT_EQ(FetchBody(update, "/update/update.txt"), "nothing here");
}

TEST_F(MessengerAndUpdate, TheLoginPageSetsTheSessionCookies)
{
    Endpoints const hosts = s_market->Endpoints();
    Text const login = hosts.LoginPageUrl();
    EXPECT_TRUE(login.starts_with("http://" + hosts.LoginHost + "/member/login.jhtml?"));
    auto reply = Fetch(HostOf(login), TargetOf(login));
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->status, 200);
    ASSERT_EQ(reply->get_header_value_count("Set-Cookie"), 3u);
    EXPECT_TRUE(reply->get_header_value("Set-Cookie", 0).starts_with("cookie2="));
}

TEST_F(MessengerAndUpdate, BannerHelpAndHomePagesAreGbkPages)
{
    Endpoints const hosts = s_market->Endpoints();
    for (Text const& address : {hosts.BannerPageUrl, hosts.HelpPageUrl, hosts.MakerShopUrl,
             "http://" + hosts.HomeHost + "/", "http://" + hosts.MallHost + "/"}) {
        auto reply = Fetch(HostOf(address), TargetOf(address));
        ASSERT_TRUE(reply) << address;
        EXPECT_EQ(reply->status, 200) << address;
        EXPECT_EQ(reply->get_header_value("Content-Type"), "text/html; charset=gbk") << address;
        EXPECT_EQ(Utf8ToGbk(GbkToUtf8(reply->body)), reply->body) << address << " is not clean GBK";
    }
}

} // namespace
} // namespace velmora::market
