#include "support/loopback_server.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace velmora::testing {

LoopbackServer::LoopbackServer()
{
    // Headers and body leave at once, not held back until the client acknowledges the headers.
    m_server.set_tcp_nodelay(true);
}

LoopbackServer::~LoopbackServer()
{
    Release();
    m_server.stop();
    if (m_thread.joinable())
        m_thread.join();
}

void LoopbackServer::Start()
{
    m_port = m_server.bind_to_any_port("127.0.0.1");
    ASSERT_GT(m_port, 0) << "no free loopback port";
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
    // A stop that came before the server runs would be missed and leave it serving forever.
    while (!m_server.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

std::string LoopbackServer::Host() const
{
    return "127.0.0.1:" + std::to_string(m_port);
}

std::string LoopbackServer::Url(std::string_view path) const
{
    return "http://" + Host() + std::string(path);
}

std::string SeenRequest::Header(std::string const& name) const
{
    auto found = headers.find(name);
    return found == headers.end() ? std::string() : found->second;
}

void LoopbackServer::Remember(httplib::Request const& request)
{
    std::lock_guard lock(m_requests_mutex);
    m_requests.push_back({request.method, request.target, request.version, request.headers, request.body});
}

std::vector<SeenRequest> LoopbackServer::Requests() const
{
    std::lock_guard lock(m_requests_mutex);
    return m_requests;
}

SeenRequest LoopbackServer::LastRequest() const
{
    std::lock_guard lock(m_requests_mutex);
    return m_requests.empty() ? SeenRequest {} : m_requests.back();
}

bool LoopbackServer::HoldUntilReleased(std::chrono::milliseconds limit)
{
    std::unique_lock lock(m_gate_mutex);
    return m_gate.wait_for(lock, limit, [this] { return m_released; });
}

void LoopbackServer::Release()
{
    {
        std::lock_guard lock(m_gate_mutex);
        m_released = true;
    }
    m_gate.notify_all();
}

RefusingPort::RefusingPort()
{
    m_socket = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (m_socket < 0 || bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ADD_FAILURE() << "cannot bind a loopback port";
        return;
    }
    socklen_t length = sizeof address;
    getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
}

RefusingPort::~RefusingPort()
{
    if (m_socket >= 0)
        close(m_socket);
}

StalledPort::StalledPort()
{
    m_listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (m_listener < 0 || bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || listen(m_listener, 0) != 0) {
        ADD_FAILURE() << "cannot listen on a loopback port";
        return;
    }
    socklen_t length = sizeof address;
    getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    // The one connection the queue holds; it is never accepted.
    m_filler = socket(AF_INET, SOCK_STREAM, 0);
    if (m_filler < 0 || connect(m_filler, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        ADD_FAILURE() << "cannot fill the listen queue";
}

StalledPort::~StalledPort()
{
    if (m_filler >= 0)
        close(m_filler);
    if (m_listener >= 0)
        close(m_listener);
}

}
