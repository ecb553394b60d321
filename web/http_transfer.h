// Velmora's one door to libcurl: turns a request description into a curl transfer, streams
// the body, collects the raw header lines, and can be stopped from another thread. FetchPage's
// worker and ReadUrl both go through it, so every curl option the program sets is set here.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace velmora {

enum class HttpVerb {
    Get,
    Post,
};

enum class ProxyRoute {
    Direct, // no proxy, whatever the environment says
    System, // the system's own settings (the http_proxy and no_proxy variables)
    FromList, // the "http=" entry of HttpRequest::proxy_list
};

enum class CookieUse {
    Off, // send no stored cookie and store none from the reply
    SharedStore, // send the shared store's cookies and store the reply's there, redirects included
};

struct HttpRequest {
    std::string url;
    HttpVerb verb {HttpVerb::Get};
    std::vector<std::string> header_lines; // "Name: value" without line end; "Name:" removes a default one
    std::string body; // the body of a POST
    std::string user_agent;
    ProxyRoute proxy_route {ProxyRoute::Direct};
    std::string proxy_list; // "http=host:port", entries separated by blanks or semicolons
    std::string user_name; // empty: no login
    std::string password;
    std::string cookie_text; // added to the Cookie header as given; empty: none
    CookieUse cookies {CookieUse::Off};
    std::string protocols {"http"}; // schemes the address may use
    std::string redirect_protocols {"http,https"}; // schemes a redirect may lead to
    std::chrono::milliseconds connect_limit {0}; // 0: libcurl's own
    // Above zero: the body is handed over in chunks of at most this many bytes, and the
    // transfer pauses after each until the caller's between-step has run.
    std::size_t chunk_size {0};
};

// Lets another thread stop a running transfer: the transfer's callbacks see the flag and its
// wait is woken at once. One object serves one transfer.
class TransferStop {
public:
    void Stop();
    bool IsStopped() const { return m_stopped.load(std::memory_order_acquire); }

private:
    friend class HttpTransfer;
    bool Attach(void* multi_handle);
    void Detach();

    std::mutex m_mutex;
    void* m_multi_handle {nullptr};
    std::atomic<bool> m_stopped {false};
};

enum class TransferEnd {
    Completed, // the last reply was read to its end (whatever its status)
    Failed, // no connection, a broken connection, a bad address
    Stopped, // TransferStop::Stop was called
    CutShort, // the between-step asked to end it
};

class HttpTransfer {
public:
    explicit HttpTransfer(HttpRequest const& request);
    ~HttpTransfer();
    HttpTransfer(HttpTransfer const&) = delete;
    HttpTransfer& operator=(HttpTransfer const&) = delete;

    // Runs the transfer to its end on the calling thread. between runs after every wake-up
    // of the wait: bytes arrived, a chunk was handed over, or poll_slice passed; it returns
    // false to end the transfer with what has arrived. stop may be set from any thread.
    TransferEnd Run(std::chrono::milliseconds poll_slice, std::function<bool()> const& between = {},
        TransferStop* stop = nullptr);

    std::string& Body() { return m_body; }

    // The raw header lines of the last reply, status line first, each ended by CR LF, and
    // the empty line that ends them; empty when no reply arrived.
    std::string const& HeaderText() const { return m_header_text; }

    // Whether any reply of the transfer, a redirect included, set a cookie.
    bool SawSetCookie() const { return m_saw_set_cookie; }

    // When the last byte arrived or, when none has yet, the last request went out.
    std::chrono::steady_clock::time_point LastActivity() const { return m_last_activity; }

private:
    friend struct TransferCallbacks;

    bool IsStopped() const { return m_stop && m_stop->IsStopped(); }

    void* m_handle {nullptr};
    void* m_header_list {nullptr};
    bool m_ready {false};
    std::string m_post_body;
    std::string m_body;
    std::string m_header_text;
    bool m_saw_set_cookie {false};
    std::size_t m_chunk_size {0};
    std::size_t m_bytes_since_between {0};
    bool m_paused {false};
    TransferStop* m_stop {nullptr};
    std::chrono::steady_clock::time_point m_last_activity {};
};

// The "http=" entry of a proxy list such as "http=host:8080 ftp=other:21"; an entry without
// a scheme serves every scheme. Empty when the list names no proxy for HTTP.
std::string HttpProxyFromList(std::string_view proxy_list);

// An address with every byte that may not stand in a request line (controls, blanks, bytes
// of 0x80 and above) written as %XX, so that GBK bytes and blanks reach the server intact.
std::string EscapeForRequestLine(std::string_view address);

// libcurl's process-wide setup, done once before the first handle.
void EnsureCurlReady();

}
