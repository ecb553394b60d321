#include "market/sample_market.h"

#include "market/market_router.h"
#include "market/request_target.h"

#include <httplib.h>
#include <sys/socket.h>

#include <array>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

namespace velmora::market {

namespace {

constexpr char const* LoopbackAddress = "127.0.0.1";
constexpr std::string_view MovedPrefix = "/moved";
constexpr std::size_t ThreadsPerHost = 6;
constexpr time_t KeepAliveSeconds = 1;
constexpr time_t ReadLimitSeconds = 5;
constexpr std::size_t LargestRequestBody = 1 << 20;
constexpr auto ListenerStartLimit = std::chrono::seconds(5);
constexpr auto ListenerStartPoll = std::chrono::milliseconds(1);
constexpr char const* SupportNumber = "800012345";

// Headers the server library adds to a request itself; they were not sent.
constexpr std::string_view AddedHeaders[] = {"REMOTE_ADDR", "REMOTE_PORT", "LOCAL_ADDR", "LOCAL_PORT"};

bool WasSent(std::string const& name)
{
    return std::find(std::begin(AddedHeaders), std::end(AddedHeaders), name) == std::end(AddedHeaders);
}

} // namespace

struct SampleMarket::Servers {
    MarketOptions options;
    std::shared_ptr<DataSet const> data;

    mutable std::mutex state_lock; // scenario and endpoints
    std::shared_ptr<Scenario const> scenario;
    velmora::Endpoints endpoints;

    std::mutex lifecycle_lock; // Start and Stop
    std::array<std::unique_ptr<httplib::Server>, AllMarketHosts.size()> servers;
    std::array<int, AllMarketHosts.size()> ports {};
    std::vector<std::thread> threads;
    bool running {false};

    std::mutex hold_lock; // held and paced replies wait here; Stop wakes them
    std::condition_variable hold_wake;
    bool stopping {false};

    RequestLog log;

    MarketView Snapshot() const
    {
        std::lock_guard guard(state_lock);
        return MarketView(data, scenario, endpoints);
    }

    // Waits for span unless the market stops first; false when it stops.
    bool Pause(std::chrono::milliseconds span)
    {
        std::unique_lock guard(hold_lock);
        return !hold_wake.wait_for(guard, span, [this] { return stopping; });
    }

    void Serve(MarketHost host, httplib::Request const& request, httplib::Response& response);
    void Send(PageReply reply, HostPace const& pace, PageDamage damage, httplib::Response& response);
    StartResult Bind(MarketHost host, std::size_t index);
    void SetEndpoints();
    void StopServers();
};

void SampleMarket::Servers::Serve(
    MarketHost host, httplib::Request const& request, httplib::Response& response)
{
    RecordedRequest recorded;
    recorded.host = host;
    recorded.method = request.method;
    recorded.target = request.target;
    for (auto const& [name, value] : request.headers) {
        if (WasSent(name))
            recorded.headers.emplace_back(name, value);
    }
    recorded.body = request.body;
    recorded.time = std::chrono::steady_clock::now();
    log.Record(std::move(recorded));

    MarketView const view = Snapshot();
    Scenario const& scenario = view.Switches();
    HostPace pace;
    if (auto found = scenario.paces.find(host); found != scenario.paces.end())
        pace = found->second;
    PageDamage damage = PageDamage::None;
    if (auto found = scenario.damage.find(host); found != scenario.damage.end())
        damage = found->second;

    if (pace.never_answers) {
        Pause(scenario.silent_hold);
        // Headers promise a body that never comes: the connection closes unanswered.
        response.set_content_provider(
            1, GbkHtml, [](std::size_t, std::size_t, httplib::DataSink&) { return false; });
        return;
    }
    if (pace.delay.count() > 0 && !Pause(pace.delay)) {
        response.set_content_provider(
            1, GbkHtml, [](std::size_t, std::size_t, httplib::DataSink&) { return false; });
        return;
    }

    std::string_view target = request.target;
    if (auto found = scenario.redirects.find(host);
        found != scenario.redirects.end() && !target.starts_with(MovedPrefix)) {
        Text const location = "http://" + *view.Addresses().Get(EndpointName(host)) + std::string(MovedPrefix)
            + request.target;
        PageReply moved;
        moved.status = found->second;
        moved.headers.emplace_back("Location", location);
        moved.body = "<html><body><a href=\"" + location + "\">moved</a></body></html>";
        if (auto cookies = scenario.extra_cookies.find(host); cookies != scenario.extra_cookies.end()) {
            for (auto const& cookie : cookies->second)
                moved.headers.emplace_back("Set-Cookie", cookie);
        }
        Send(std::move(moved), pace, PageDamage::None, response);
        return;
    }
    if (target.starts_with(MovedPrefix))
        target.remove_prefix(MovedPrefix.size());

    PageReply reply = Route(host, RequestTarget(target), view);
    if (auto cookies = scenario.extra_cookies.find(host); cookies != scenario.extra_cookies.end()) {
        for (auto const& cookie : cookies->second)
            reply.headers.emplace_back("Set-Cookie", cookie);
    }
    Send(std::move(reply), pace, damage, response);
}

void SampleMarket::Servers::Send(
    PageReply reply, HostPace const& pace, PageDamage damage, httplib::Response& response)
{
    response.status = reply.status;
    for (auto const& [name, value] : reply.headers)
        response.headers.emplace(name, value);

    std::size_t const half = reply.body.size() / 2;
    std::size_t deliver = reply.body.size();
    switch (damage) {
    case PageDamage::None:
        break;
    case PageDamage::CutShort:
        reply.body.resize(half);
        if (!reply.body.empty())
            reply.body.push_back('\xB0'); // a lead byte without its trail byte
        deliver = reply.body.size();
        break;
    case PageDamage::ConnectionDropped:
        deliver = half;
        break;
    case PageDamage::Garbled:
        std::erase_if(reply.body, [](char byte) { return byte == '"' || byte == '<'; });
        deliver = reply.body.size();
        break;
    }

    bool const paced = pace.chunk_pause.count() > 0;
    if (!paced && deliver == reply.body.size()) {
        response.set_content(reply.body, reply.content_type);
        return;
    }
    if (reply.body.empty()) {
        response.set_content(std::string {}, reply.content_type);
        return;
    }
    auto body = std::make_shared<std::string>(std::move(reply.body));
    std::size_t const chunk = std::max<std::size_t>(1, pace.chunk_bytes);
    auto const pause = pace.chunk_pause;
    response.set_content_provider(body->size(), reply.content_type,
        [this, body, chunk, pause, deliver](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
            if (offset >= deliver)
                return false;
            std::size_t const size = std::min({chunk, length, deliver - offset});
            if (!sink.write(body->data() + offset, size))
                return false;
            if (pause.count() > 0 && offset + size < body->size())
                return Pause(pause);
            return true;
        });
}

StartResult SampleMarket::Servers::Bind(MarketHost host, std::size_t index)
{
    auto server = std::make_unique<httplib::Server>();
    server->new_task_queue = [] { return new httplib::ThreadPool(ThreadsPerHost); };
    server->set_keep_alive_timeout(KeepAliveSeconds);
    server->set_read_timeout(ReadLimitSeconds, 0);
    server->set_payload_max_length(LargestRequestBody);
    // The library's default also sets SO_REUSEPORT, which would let a second market bind a
    // port that is in use and share its requests. Only quick rebinding is wanted.
    server->set_socket_options([](socket_t socket) {
        int const on = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    });
    auto handler = [this, host](httplib::Request const& request, httplib::Response& response) {
        Serve(host, request, response);
    };
    server->Get(".*", handler);
    server->Post(".*", handler);

    int port = 0;
    if (options.base_port > 0) {
        port = options.base_port + static_cast<int>(index);
        if (!server->bind_to_port(LoopbackAddress, port))
            port = -1;
    } else {
        port = server->bind_to_any_port(LoopbackAddress);
    }
    if (port <= 0) {
        int const error = errno;
        std::string where = options.base_port > 0
            ? std::to_string(options.base_port + static_cast<int>(index))
            : "a free port";
        return {false,
            std::string(EndpointName(host)) + " cannot listen on " + LoopbackAddress + ":" + where + ": "
                + std::strerror(error)};
    }
    servers[index] = std::move(server);
    ports[index] = port;
    return {true, {}};
}

void SampleMarket::Servers::SetEndpoints()
{
    velmora::Endpoints hosts;
    hosts.SupportContact = SupportNumber;
    hosts.LoginScheme = "http://";
    for (std::size_t i = 0; i < AllMarketHosts.size(); ++i)
        hosts.Set(
            EndpointName(AllMarketHosts[i]), std::string(LoopbackAddress) + ":" + std::to_string(ports[i]));
    hosts.BannerPageUrl = "http://" + hosts.UpdateServer + "/banner.htm";
    hosts.HelpPageUrl = "http://" + hosts.UpdateServer + "/help.htm";
    std::lock_guard guard(state_lock);
    MarketView const view(data, scenario, hosts);
    hosts.MakerShopUrl = view.ShopAddress(data->MakerShopSeller());
    hosts.ExampleShopAddress = view.ExampleShopAddress();
    hosts.ExampleItemAddress = view.ExampleItemAddress();
    endpoints = std::move(hosts);
}

void SampleMarket::Servers::StopServers()
{
    {
        std::lock_guard guard(hold_lock);
        stopping = true;
    }
    hold_wake.notify_all();
    for (auto& server : servers) {
        if (server)
            server->stop();
    }
    for (auto& thread : threads)
        thread.join();
    threads.clear();
    for (auto& server : servers)
        server.reset();
    {
        std::lock_guard guard(hold_lock);
        stopping = false;
    }
    running = false;
}

SampleMarket::SampleMarket(Scenario scenario, MarketOptions options)
    : m_data(DataSet::Shared())
    , m_servers(std::make_unique<Servers>())
{
    m_servers->options = options;
    m_servers->data = m_data;
    m_servers->scenario = std::make_shared<Scenario const>(std::move(scenario));
    m_servers->endpoints.LoginScheme = "http://";
}

SampleMarket::~SampleMarket()
{
    Stop();
}

StartResult SampleMarket::Start()
{
    Servers& s = *m_servers;
    std::lock_guard guard(s.lifecycle_lock);
    if (s.running)
        return {true, {}};
    for (std::size_t i = 0; i < AllMarketHosts.size(); ++i) {
        StartResult bound = s.Bind(AllMarketHosts[i], i);
        if (!bound) {
            s.StopServers();
            return bound;
        }
    }
    s.SetEndpoints();
    // Host names are also markers inside pages: none may be the beginning of another.
    auto const endpoints = s.endpoints;
    for (MarketHost a : AllMarketHosts) {
        for (MarketHost b : AllMarketHosts) {
            Text const host_a = *endpoints.Get(EndpointName(a));
            Text const host_b = *endpoints.Get(EndpointName(b));
            if (a != b && host_b.starts_with(host_a)) {
                s.StopServers();
                return {false, host_a + " is the beginning of " + host_b + ": choose another base port"};
            }
        }
    }
    for (auto& server : s.servers) {
        httplib::Server* listener = server.get();
        s.threads.emplace_back([listener] { listener->listen_after_bind(); });
    }
    // Stopping a listener works only once its loop runs.
    auto const deadline = std::chrono::steady_clock::now() + ListenerStartLimit;
    for (auto& server : s.servers) {
        while (!server->is_running()) {
            if (std::chrono::steady_clock::now() > deadline) {
                s.StopServers();
                return {false, "a listener did not start"};
            }
            std::this_thread::sleep_for(ListenerStartPoll);
        }
    }
    s.running = true;
    return {true, {}};
}

void SampleMarket::Stop()
{
    std::lock_guard guard(m_servers->lifecycle_lock);
    if (m_servers->running)
        m_servers->StopServers();
}

bool SampleMarket::IsRunning() const
{
    std::lock_guard guard(m_servers->lifecycle_lock);
    return m_servers->running;
}

velmora::Endpoints SampleMarket::Endpoints() const
{
    std::lock_guard guard(m_servers->state_lock);
    return m_servers->endpoints;
}

int SampleMarket::Port(MarketHost host) const
{
    std::lock_guard guard(m_servers->lifecycle_lock);
    for (std::size_t i = 0; i < AllMarketHosts.size(); ++i) {
        if (AllMarketHosts[i] == host)
            return m_servers->ports[i];
    }
    return 0;
}

void SampleMarket::Configure(std::function<void(Scenario&)> const& change)
{
    std::lock_guard guard(m_servers->state_lock);
    Scenario changed = *m_servers->scenario;
    change(changed);
    m_servers->scenario = std::make_shared<Scenario const>(std::move(changed));
}

Scenario SampleMarket::CurrentScenario() const
{
    std::lock_guard guard(m_servers->state_lock);
    return *m_servers->scenario;
}

MarketView SampleMarket::View() const
{
    return m_servers->Snapshot();
}

DataSet const& SampleMarket::Data() const
{
    return *m_data;
}

std::vector<RecordedRequest> SampleMarket::Requests(MarketHost host) const
{
    return m_servers->log.Of(host);
}

std::vector<RecordedRequest> SampleMarket::Requests(std::string_view endpoint_name) const
{
    auto host = HostNamed(endpoint_name);
    return host ? Requests(*host) : std::vector<RecordedRequest> {};
}

std::vector<RecordedRequest> SampleMarket::AllRequests() const
{
    return m_servers->log.All();
}

void SampleMarket::ClearRequests()
{
    m_servers->log.Clear();
}

bool SampleMarket::WaitForRequests(MarketHost host, std::size_t count, std::chrono::milliseconds limit) const
{
    return m_servers->log.WaitFor(host, count, limit);
}

} // namespace velmora::market
