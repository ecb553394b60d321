// A real HTTP/1.1 server on 127.0.0.1 at a port the system picks, for tests that read pages
// over the network without leaving the machine. Register routes on Routes(), then Start().
// Handlers that must keep a client waiting hold on the server's gate, which the test opens
// with Release() and which opens by itself when the server goes away.
#pragma once

#include <chrono>
#include <condition_variable>
#include <httplib.h>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace velmora::testing {

// A request as it arrived, kept by LoopbackServer::Remember.
struct SeenRequest {
    std::string method;
    std::string target; // the request line's target, query included, as sent
    std::string version;
    httplib::Headers headers; // names compared without regard to case
    std::string body;

    // How many lines of that name arrived.
    std::size_t Count(std::string const& name) const { return headers.count(name); }
    // The value of the first line of that name; empty when none arrived.
    std::string Header(std::string const& name) const;
};

class LoopbackServer {
public:
    LoopbackServer();
    ~LoopbackServer();
    LoopbackServer(LoopbackServer const&) = delete;
    LoopbackServer& operator=(LoopbackServer const&) = delete;

    httplib::Server& Routes() { return m_server; }

    // Binds to a free port on 127.0.0.1 and serves on a thread of its own. Requests that
    // arrive before the first accept wait in the listen queue.
    void Start();

    int Port() const { return m_port; }
    // "127.0.0.1:port", the form of an endpoint.
    std::string Host() const;
    // "http://127.0.0.1:port" + path.
    std::string Url(std::string_view path) const;

    // Keeps a copy of a request for the test to look at; handlers call it.
    void Remember(httplib::Request const& request);
    std::vector<SeenRequest> Requests() const;
    // The last request remembered; an empty one when there is none.
    SeenRequest LastRequest() const;

    // Keeps a handler waiting until the gate opens or limit passes; true when it opened.
    bool HoldUntilReleased(std::chrono::milliseconds limit = std::chrono::seconds(60));
    void Release();

private:
    httplib::Server m_server;
    std::thread m_thread;
    int m_port {0};
    std::mutex m_gate_mutex;
    std::condition_variable m_gate;
    bool m_released {false};
    mutable std::mutex m_requests_mutex;
    std::vector<SeenRequest> m_requests;
};

// A port on 127.0.0.1 that refuses connections for as long as the object lives: it is bound
// but never listened on, so no other program can take it meanwhile.
class RefusingPort {
public:
    RefusingPort();
    ~RefusingPort();
    RefusingPort(RefusingPort const&) = delete;
    RefusingPort& operator=(RefusingPort const&) = delete;

    int Port() const { return m_port; }

private:
    int m_socket {-1};
    int m_port {0};
};

// A port on 127.0.0.1 where a connection is never completed: it listens with a queue of one,
// which one connection of its own fills, so a new connection attempt hangs until the client
// gives up.
class StalledPort {
public:
    StalledPort();
    ~StalledPort();
    StalledPort(StalledPort const&) = delete;
    StalledPort& operator=(StalledPort const&) = delete;

    int Port() const { return m_port; }

private:
    int m_listener {-1};
    int m_filler {-1};
    int m_port {0};
};

}
