// The fault switches of the market as a client sees them on the wire: resets, noise, stray
// lead bytes, padding, header blocks, redirect loops, trickles, and faults kept to one page.
#include "market/damaged_body.h"
#include "market_test_support.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace velmora::market {
namespace {

using testing::Fetch;
using testing::FetchBody;
using testing::HostOf;
using testing::TargetOf;

// How a raw read of a reply ended.
enum class Ending { Closed, Reset, OtherError };

struct RawReply {
    std::string bytes; // status line, headers and body as received
    Ending ending {Ending::Closed};

    std::string Body() const
    {
        auto const end = bytes.find("\r\n\r\n");
        return end == std::string::npos ? std::string {} : bytes.substr(end + 4);
    }
};

// One GET on a connection of its own, read until the server closes or resets it.
RawReply RawGet(int port, std::string const& target)
{
    RawReply reply;
    int const client = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(client);
        reply.ending = Ending::OtherError;
        return reply;
    }
    std::string const request = "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
    send(client, request.data(), request.size(), MSG_NOSIGNAL);
    char buffer[4096];
    for (;;) {
        ssize_t const got = recv(client, buffer, sizeof buffer, 0);
        if (got > 0) {
            reply.bytes.append(buffer, static_cast<std::size_t>(got));
            continue;
        }
        if (got < 0)
            reply.ending = errno == ECONNRESET ? Ending::Reset : Ending::OtherError;
        break;
    }
    close(client);
    return reply;
}

class FaultSwitches : public ::testing::Test {
protected:
    void SetUp() override
    {
        market = testing::StartedMarket();
        item = market->Endpoints().ExampleItemAddress;
        whole = FetchBody(HostOf(item), TargetOf(item));
        ASSERT_GT(whole.size(), 500u);
    }

    RawReply RawItemPage() const { return RawGet(market->Port(MarketHost::Item), TargetOf(item)); }

    std::unique_ptr<SampleMarket> market;
    Text item;
    std::string whole;
};

TEST_F(FaultSwitches, ResetAndDropBothSendHalfButEndTheConnectionDifferently)
{
    struct Case {
        PageDamage damage;
        Ending ending;
    };
    for (Case const c : {Case {PageDamage::ConnectionDropped, Ending::Closed},
             Case {PageDamage::ResetMidBody, Ending::Reset}}) {
        market->Configure([&](Scenario& s) { s.damage[MarketHost::Item] = c.damage; });
        RawReply const reply = RawItemPage();
        EXPECT_EQ(reply.ending, c.ending) << static_cast<int>(c.damage);
        // The whole length is announced; a reset may lose bytes still on their way.
        EXPECT_NE(reply.bytes.find("Content-Length: " + std::to_string(whole.size())), std::string::npos);
        std::string const body = reply.Body();
        EXPECT_LE(body.size(), whole.size() / 2);
        EXPECT_EQ(body, whole.substr(0, body.size()));
        if (c.damage == PageDamage::ConnectionDropped) {
            EXPECT_EQ(body.size(), whole.size() / 2);
        }
    }
}

TEST_F(FaultSwitches, DamageThatChangesTheBytes)
{
    market->Configure([](Scenario& s) { s.damage[MarketHost::Item] = PageDamage::RandomBytes; });
    std::string const noise = FetchBody(HostOf(item), TargetOf(item));
    EXPECT_EQ(noise.size(), whole.size());
    EXPECT_NE(noise, whole);
    EXPECT_EQ(FetchBody(HostOf(item), TargetOf(item)), noise) << "the same noise every time";

    market->Configure([](Scenario& s) { s.damage[MarketHost::Item] = PageDamage::InvalidGbk; });
    EXPECT_EQ(FetchBody(HostOf(item), TargetOf(item)), "\x81" + whole + "\x81");
}

TEST_F(FaultSwitches, PaddingFollowsThePageUpToItsSize)
{
    constexpr std::size_t Padded = 5'000'003; // not a whole number of filler lines
    market->Configure([](Scenario& s) { s.padded_sizes[MarketHost::Item] = Padded; });
    std::string const padded = FetchBody(HostOf(item), TargetOf(item));
    ASSERT_EQ(padded.size(), Padded);
    EXPECT_EQ(padded.substr(0, whole.size()), whole);
    std::string filler;
    while (filler.size() < Padded - whole.size())
        filler += PaddingLine;
    filler.resize(Padded - whole.size());
    EXPECT_TRUE(padded.compare(whole.size(), std::string::npos, filler) == 0);
    EXPECT_EQ(padded.find(' ', whole.size()), std::string::npos);

    // A size below the page's leaves the page as it is.
    market->Configure([](Scenario& s) { s.padded_sizes[MarketHost::Item] = 10; });
    EXPECT_EQ(FetchBody(HostOf(item), TargetOf(item)), whole);
}

TEST_F(FaultSwitches, HeaderBlockComesBeforeTheCookies)
{
    constexpr std::size_t Block = 64 * 1024;
    market->Configure([](Scenario& s) {
        s.header_blocks[MarketHost::Item] = Block;
        s.extra_cookies[MarketHost::Item] = {"after_block=1"};
    });
    RawReply const reply = RawItemPage();
    ASSERT_EQ(reply.ending, Ending::Closed);
    std::size_t const header_end = reply.bytes.find("\r\n\r\n");
    ASSERT_NE(header_end, std::string::npos);
    EXPECT_GE(header_end, Block);
    EXPECT_LT(header_end, Block + 4096);
    EXPECT_GT(reply.bytes.find("Set-Cookie: after_block=1\r\n"), reply.bytes.rfind("Filler-"));
    EXPECT_EQ(reply.Body(), whole);
}

TEST_F(FaultSwitches, RedirectLoopPointsEveryRequestAtItself)
{
    market->Configure([](Scenario& s) { s.redirect_loops.insert(MarketHost::Item); });
    for (int hop = 0; hop < 3; ++hop) {
        auto reply = Fetch(HostOf(item), TargetOf(item));
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->status, 302);
        EXPECT_EQ(reply->get_header_value("Location"), item);
    }
}

TEST_F(FaultSwitches, TrickleWithAnEndSendsItsFirstBytesOneByOne)
{
    constexpr std::size_t Paced = 5;
    market->Configure([](Scenario& s) {
        s.paces[MarketHost::Item]
            = {.chunk_pause = std::chrono::milliseconds(30), .chunk_bytes = 1, .paced_bytes = Paced};
    });
    httplib::Client client("http://" + HostOf(item));
    std::vector<std::size_t> chunks;
    std::string received;
    auto reply = client.Get(TargetOf(item), [&](char const* data, std::size_t length) {
        chunks.push_back(length);
        received.append(data, length);
        return true;
    });
    ASSERT_TRUE(reply);
    EXPECT_EQ(received, whole);
    // The paced bytes come one per piece; the rest in few large pieces.
    ASSERT_GT(chunks.size(), Paced);
    for (std::size_t i = 0; i < Paced; ++i)
        EXPECT_EQ(chunks[i], 1u) << "piece " << i;
    EXPECT_LT(chunks.size(), Paced + whole.size() / 2);
}

TEST_F(FaultSwitches, FaultsKeptToOnePageLeaveTheOthersAlone)
{
    Text const shop = market->Endpoints().ExampleShopAddress;
    ASSERT_FALSE(FetchBody(HostOf(shop), TargetOf(shop)).empty());
    market->Configure([&](Scenario& s) {
        for (MarketHost host : {MarketHost::Item, MarketHost::Home}) {
            s.damage[host] = PageDamage::RandomBytes;
            s.extra_cookies[host] = {"faulty=1"};
            s.redirect_loops.insert(host);
        }
        s.faults_only_for[MarketHost::Item] = "no request holds this";
        s.faults_only_for[MarketHost::Home] = TargetOf(shop);
    });
    auto untouched = Fetch(HostOf(item), TargetOf(item));
    ASSERT_TRUE(untouched);
    EXPECT_EQ(untouched->status, 200);
    EXPECT_EQ(untouched->body, whole);
    EXPECT_FALSE(untouched->has_header("Set-Cookie"));

    auto faulty = Fetch(HostOf(shop), TargetOf(shop));
    ASSERT_TRUE(faulty);
    EXPECT_EQ(faulty->status, 302);
    EXPECT_EQ(faulty->get_header_value("Set-Cookie"), "faulty=1");
}

}
}
