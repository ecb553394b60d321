#include "web/http_transfer.h"

#include "text/letter_case.h"
#include "web/cookie_store.h"

#include <curl/curl.h>
#include <mutex>
#include <optional>
#include <string_view>

namespace velmora {
namespace {

// How many redirects a transfer follows before it gives up on the address.
constexpr long MaxRedirects = 10;
// libcurl reads at least this many bytes at a time, whatever chunk size is asked for.
constexpr std::size_t SmallestReadBuffer = 1024;

CURL* Curl(void* handle)
{
    return static_cast<CURL*>(handle);
}

}

// The curl callbacks of HttpTransfer, with libcurl's own argument types.
struct TransferCallbacks {
    static std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* self);
    static int OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t);
    static int OnRequestReady(void* self, char*, char*, int, int);
};

void EnsureCurlReady()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

void TransferStop::Stop()
{
    std::lock_guard lock(m_mutex);
    m_stopped.store(true, std::memory_order_release);
    if (m_multi_handle)
        curl_multi_wakeup(static_cast<CURLM*>(m_multi_handle));
}

bool TransferStop::Attach(void* multi_handle)
{
    std::lock_guard lock(m_mutex);
    if (IsStopped())
        return false;
    m_multi_handle = multi_handle;
    return true;
}

void TransferStop::Detach()
{
    std::lock_guard lock(m_mutex);
    m_multi_handle = nullptr;
}

std::string HttpProxyFromList(std::string_view proxy_list)
{
    std::string any_scheme;
    std::size_t position = 0;
    while (position < proxy_list.size()) {
        std::size_t end = proxy_list.find_first_of(" ;", position);
        if (end == std::string_view::npos)
            end = proxy_list.size();
        std::string_view entry = proxy_list.substr(position, end - position);
        position = end + 1;
        if (entry.empty())
            continue;
        std::size_t equals = entry.find('=');
        if (equals == std::string_view::npos) {
            if (any_scheme.empty())
                any_scheme = entry;
            continue;
        }
        if (StartsWithIgnoringCase(entry, "http=") && equals == 4)
            return std::string(entry.substr(equals + 1));
    }
    return any_scheme;
}

std::string EscapeForRequestLine(std::string_view address)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(address.size());
    for (char character : address) {
        auto byte = static_cast<unsigned char>(character);
        if (byte <= 0x20 || byte >= 0x7F) {
            escaped += '%';
            escaped += Hex[byte >> 4];
            escaped += Hex[byte & 0x0F];
        } else {
            escaped += character;
        }
    }
    return escaped;
}

HttpTransfer::HttpTransfer(HttpRequest const& request)
{
    EnsureCurlReady();
    CURL* handle = curl_easy_init();
    if (!handle)
        return;
    m_handle = handle;
    m_last_activity = std::chrono::steady_clock::now();

    bool ok = curl_easy_setopt(handle, CURLOPT_URL, request.url.c_str()) == CURLE_OK;
    ok = ok && curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, request.protocols.c_str()) == CURLE_OK;
    ok = ok
        && curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, request.redirect_protocols.c_str())
            == CURLE_OK;
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, MaxRedirects);
    if (!request.user_agent.empty())
        curl_easy_setopt(handle, CURLOPT_USERAGENT, request.user_agent.c_str());

    curl_slist* headers = nullptr;
    for (auto const& line : request.header_lines) {
        curl_slist* longer = curl_slist_append(headers, line.c_str());
        if (!longer) {
            ok = false;
            break;
        }
        headers = longer;
    }
    m_header_list = headers;
    if (headers)
        curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers);

    if (request.verb == HttpVerb::Post) {
        m_post_body = request.body;
        curl_easy_setopt(handle, CURLOPT_POST, 1L);
        curl_easy_setopt(handle, CURLOPT_POSTFIELDS, m_post_body.data());
        curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(m_post_body.size()));
    } else {
        curl_easy_setopt(handle, CURLOPT_HTTPGET, 1L);
    }

    switch (request.proxy_route) {
    case ProxyRoute::Direct:
        curl_easy_setopt(handle, CURLOPT_PROXY, "");
        break;
    case ProxyRoute::System:
        break;
    case ProxyRoute::FromList: {
        std::string proxy = HttpProxyFromList(request.proxy_list);
        curl_easy_setopt(handle, CURLOPT_PROXY, proxy.c_str());
        break;
    }
    }

    if (!request.user_name.empty())
        curl_easy_setopt(handle, CURLOPT_USERNAME, request.user_name.c_str());
    if (!request.password.empty())
        curl_easy_setopt(handle, CURLOPT_PASSWORD, request.password.c_str());
    if (!request.cookie_text.empty())
        curl_easy_setopt(handle, CURLOPT_COOKIE, request.cookie_text.c_str());
    if (request.cookies == CookieUse::SharedStore) {
        CookieStore::Shared().ShareWith(handle);
        // An empty file name turns the cookie engine on without reading any file.
        curl_easy_setopt(handle, CURLOPT_COOKIEFILE, "");
    }
    if (request.connect_limit.count() > 0)
        curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(request.connect_limit.count()));
    if (request.chunk_size > 0) {
        m_chunk_size = request.chunk_size;
        curl_easy_setopt(
            handle, CURLOPT_BUFFERSIZE, static_cast<long>(std::max(request.chunk_size, SmallestReadBuffer)));
    }

    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &TransferCallbacks::OnBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, &TransferCallbacks::OnHeader);
    curl_easy_setopt(handle, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &TransferCallbacks::OnProgress);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(handle, CURLOPT_PREREQFUNCTION, &TransferCallbacks::OnRequestReady);
    curl_easy_setopt(handle, CURLOPT_PREREQDATA, this);
    m_ready = ok;
}

HttpTransfer::~HttpTransfer()
{
    if (m_handle)
        curl_easy_cleanup(Curl(m_handle));
    curl_slist_free_all(static_cast<curl_slist*>(m_header_list));
}

TransferEnd HttpTransfer::Run(
    std::chrono::milliseconds poll_slice, std::function<bool()> const& between, TransferStop* stop)
{
    if (!m_ready)
        return TransferEnd::Failed;
    CURLM* multi = curl_multi_init();
    if (!multi)
        return TransferEnd::Failed;
    if (curl_multi_add_handle(multi, Curl(m_handle)) != CURLM_OK) {
        curl_multi_cleanup(multi);
        return TransferEnd::Failed;
    }
    m_stop = stop;
    m_last_activity = std::chrono::steady_clock::now();

    std::optional<TransferEnd> end;
    if (stop && !stop->Attach(multi))
        end = TransferEnd::Stopped;
    while (!end) {
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            end = TransferEnd::Failed;
            break;
        }
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
            if (message->msg == CURLMSG_DONE) {
                if (message->data.result == CURLE_OK)
                    end = TransferEnd::Completed;
                else
                    end = IsStopped() ? TransferEnd::Stopped : TransferEnd::Failed;
            }
        }
        if (end)
            break;
        if (IsStopped()) {
            end = TransferEnd::Stopped;
            break;
        }
        if (between && !between()) {
            end = TransferEnd::CutShort;
            break;
        }
        m_bytes_since_between = 0;
        if (m_paused) {
            // Held bytes may be handed to OnBody inside this call; the new chunk counts from here.
            m_paused = false;
            curl_easy_pause(Curl(m_handle), CURLPAUSE_CONT);
            continue;
        }
        curl_multi_poll(multi, nullptr, 0, static_cast<int>(poll_slice.count()), nullptr);
    }

    if (stop)
        stop->Detach();
    curl_multi_remove_handle(multi, Curl(m_handle));
    curl_multi_cleanup(multi);
    m_stop = nullptr;
    return *end;
}

std::size_t TransferCallbacks::OnBody(char* data, std::size_t size, std::size_t count, void* self)
{
    auto& transfer = *static_cast<HttpTransfer*>(self);
    if (transfer.IsStopped())
        return 0;
    std::size_t bytes = size * count;
    if (transfer.m_chunk_size > 0 && transfer.m_bytes_since_between >= transfer.m_chunk_size) {
        transfer.m_paused = true;
        return CURL_WRITEFUNC_PAUSE;
    }
    transfer.m_body.append(data, bytes);
    transfer.m_bytes_since_between += bytes;
    transfer.m_last_activity = std::chrono::steady_clock::now();
    return bytes;
}

std::size_t TransferCallbacks::OnHeader(char* data, std::size_t size, std::size_t count, void* self)
{
    auto& transfer = *static_cast<HttpTransfer*>(self);
    if (transfer.IsStopped())
        return 0;
    std::string_view line(data, size * count);
    // Every reply, a redirect or an interim one included, starts with its status line; the
    // header text keeps the last reply's lines.
    if (StartsWithIgnoringCase(line, "HTTP/"))
        transfer.m_header_text.clear();
    transfer.m_header_text += line;
    if (StartsWithIgnoringCase(line, "Set-Cookie:"))
        transfer.m_saw_set_cookie = true;
    transfer.m_last_activity = std::chrono::steady_clock::now();
    return line.size();
}

int TransferCallbacks::OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<HttpTransfer*>(self)->IsStopped() ? 1 : 0;
}

int TransferCallbacks::OnRequestReady(void* self, char*, char*, int, int)
{
    // A connection is up and the request is about to go out: from here the idle clock counts.
    static_cast<HttpTransfer*>(self)->m_last_activity = std::chrono::steady_clock::now();
    return CURL_PREREQFUNC_OK;
}

}
