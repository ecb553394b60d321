#include "market/sample_market.h"

#include "market/connection_reset.h"
#include "market/damaged_body.h"
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

// The largest piece of a body handed to the server library at a time.
constexpr std::size_t LargestPiece = 64 * 1024;
constexpr int HttpFound = 302;

// What goes wrong with one reply, after faults_only_for has had its say.
struct Faults {
    HostPace pace;
    PageDamage damage {PageDamage::None};
    std::optional<int> redirect;
    bool redirect_loop {false};
    std::vector<std::string> cookies;
    std::size_t padded_size {0};
    std::size_t header_block {0};
};

// The two ports of a request's connection: the market's and the client's.
struct Connection {
    int local_port {-1};
    int remote_port {-1};
};

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
    void Send(PageReply reply, Faults const& faults, PageDamage damage, Connection connection,
        httplib::Response& response);
    StartResult Bind(MarketHost host, std::size_t index);
    void SetEndpoints();
    void StopServers();
};

namespace {

template<typename Value> void Take(std::map<MarketHost, Value> const& table, MarketHost host, Value& into)
{
    if (auto found = table.find(host); found != table.end())
        into = found->second;
}

Faults FaultsFor(Scenario const& scenario, MarketHost host, std::string_view target)
{
    Faults faults;
    if (auto only = scenario.faults_only_for.find(host);
        only != scenario.faults_only_for.end() && target.find(only->second) == std::string_view::npos)
        return faults;
    Take(scenario.paces, host, faults.pace);
    Take(scenario.damage, host, faults.damage);
    if (auto found = scenario.redirects.find(host); found != scenario.redirects.end())
        faults.redirect = found->second;
    faults.redirect_loop = scenario.redirect_loops.contains(host);
    Take(scenario.extra_cookies, host, faults.cookies);
    Take(scenario.padded_sizes, host, faults.padded_size);
    Take(scenario.header_blocks, host, faults.header_block);
    return faults;
}

// Header lines of about size bytes in all, named so that they come before Set-Cookie.
void AddHeaderBlock(std::size_t size, PageReply& reply)
{
    constexpr std::size_t LineValueBytes = 1000;
    for (std::size_t line = 0, sent = 0; sent < size; ++line) {
        std::string name = "Filler-" + std::to_string(line);
        std::size_t const value_bytes = std::min(LineValueBytes, size - sent);
        sent += name.size() + value_bytes + std::string_view(": \r\n").size();
        reply.headers.emplace_back(std::move(name), std::string(value_bytes, 'f'));
    }
}

} // namespace

void SampleMarket::Servers::Serve(
    MarketHost host, httplib::Request const& request, httplib::Response& response)
{
    // The scenario is taken before the request is on record, so that a change a test makes
    // on seeing the record reaches only the requests after it.
    MarketView const view = Snapshot();

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

    Scenario const& scenario = view.Switches();
    Faults const faults = FaultsFor(scenario, host, request.target);
    Connection const connection {request.local_port, request.remote_port};

    if (faults.pace.never_answers) {
        Pause(scenario.silent_hold);
        // Headers promise a body that never comes: the connection closes unanswered.
        response.set_content_provider(
            1, GbkHtml, [](std::size_t, std::size_t, httplib::DataSink&) { return false; });
        return;
    }
    if (faults.pace.delay.count() > 0 && !Pause(faults.pace.delay)) {
        response.set_content_provider(
            1, GbkHtml, [](std::size_t, std::size_t, httplib::DataSink&) { return false; });
        return;
    }

    Text const own_address = "http://" + *view.Addresses().Get(EndpointName(host));
    std::string_view target = request.target;
    std::optional<Text> location;
    if (faults.redirect_loop)
        location = own_address + request.target;
    else if (faults.redirect && !target.starts_with(MovedPrefix))
        location = own_address + std::string(MovedPrefix) + request.target;
    if (location) {
        PageReply moved;
        moved.status = faults.redirect.value_or(HttpFound);
        moved.headers.emplace_back("Location", *location);
        moved.body = "<html><body><a href=\"" + *location + "\">moved</a></body></html>";
        for (auto const& cookie : faults.cookies)
            moved.headers.emplace_back("Set-Cookie", cookie);
        Send(std::move(moved), faults, PageDamage::None, connection, response);
        return;
    }
    if (target.starts_with(MovedPrefix))
        target.remove_prefix(MovedPrefix.size());

    PageReply reply = Route(host, RequestTarget(target), view);
    for (auto const& cookie : faults.cookies)
        reply.headers.emplace_back("Set-Cookie", cookie);
    Send(std::move(reply), faults, faults.damage, connection, response);
}

void SampleMarket::Servers::Send(PageReply reply, Faults const& faults, PageDamage damage,
    Connection connection, httplib::Response& response)
{
    AddHeaderBlock(faults.header_block, reply);
    response.status = reply.status;
    for (auto const& [name, value] : reply.headers)
        response.headers.emplace(name, value);

    std::string page = DamagedPage(std::move(reply.body), damage);
    HostPace const pace = faults.pace;
    bool const paced = pace.chunk_pause.count() > 0;
    std::size_t const size = std::max(page.size(), faults.padded_size);
    std::size_t const deliver = DeliveredBytes(size, damage);
    if (!paced && deliver == size && size == page.size()) {
        response.set_content(std::move(page), reply.content_type);
        return;
    }
    if (size == 0) {
        response.set_content(std::string {}, reply.content_type);
        return;
    }
    auto body = std::make_shared<DamagedBody const>(std::move(page), faults.padded_size);
    bool const reset = damage == PageDamage::ResetMidBody;
    response.set_content_provider(size, reply.content_type,
        [this, body, pace, deliver, reset, connection](
            std::size_t offset, std::size_t length, httplib::DataSink& sink) {
            if (offset >= deliver) {
                if (reset)
                    ResetConnection(connection.local_port, connection.remote_port);
                return false;
            }
            bool const paced_now
                = pace.chunk_pause.count() > 0 && (pace.paced_bytes == 0 || offset < pace.paced_bytes);
            std::size_t const piece = paced_now ? std::max<std::size_t>(1, pace.chunk_bytes) : LargestPiece;
            std::string bytes;
            body->Read(offset, std::min({piece, length, deliver - offset}), bytes);
            if (!sink.write(bytes.data(), bytes.size()))
                return false;
            if (paced_now && offset + bytes.size() < body->Size())
                return Pause(pace.chunk_pause);
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
