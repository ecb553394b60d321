#include "web/fetch_worker.h"

#include "text/decimal.h"
#include "text/letter_case.h"
#include "text/spaces.h"
#include "web/address_parts.h"
#include "web/cookie_store.h"
#include "web/request_headers.h"

namespace velmora {
namespace {

// How long the worker's wait for bytes lasts before it looks again; a cut-off wakes it at once.
constexpr std::chrono::milliseconds WorkerPollSlice {1000};
constexpr std::int64_t HighestPort = 65535;

bool IsHostName(std::string_view host)
{
    return !host.empty()
        && host.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789.-_") == std::string_view::npos;
}

// Sets the channel's Finished signal when the worker leaves, by whatever way.
class FinishedOnExit {
public:
    explicit FinishedOnExit(PageChannel& channel)
        : m_channel(channel)
    {
    }
    ~FinishedOnExit() { m_channel.Finished().Set(); }
    FinishedOnExit(FinishedOnExit const&) = delete;
    FinishedOnExit& operator=(FinishedOnExit const&) = delete;

private:
    PageChannel& m_channel;
};

HttpRequest TransferFor(PageRequest const& request, AddressParts const& parts)
{
    HttpRequest http;
    std::int64_t port = parts.port == 0 ? DefaultHttpPort : parts.port;
    http.url = "http://" + parts.host + ":" + DecimalText(port) + EscapeForRequestLine(parts.path);
    http.verb = request.verb;
    http.user_agent = FetchAgent;
    if (!RemoveSpaces(request.proxy).empty()) {
        http.proxy_route = ProxyRoute::FromList;
        http.proxy_list = "http=" + request.proxy;
    }
    if (!RemoveSpaces(request.user_name).empty())
        http.user_name = request.user_name;
    if (!RemoveSpaces(request.password).empty())
        http.password = request.password;
    // With cookie text the shared store's cookies go along too and the reply's are stored;
    // without it the request carries no cookie and stores none by itself.
    if (!TrimSpaces(request.cookie_text).empty()) {
        http.cookies = CookieUse::SharedStore;
        http.cookie_text = request.cookie_text;
    }
    http.header_lines = HeaderLines(
        CompleteRequestHeaders(request.extra_headers, request.url, request.verb, request.post_data));
    // A POST body goes out with the headers, without waiting for "100 Continue".
    http.header_lines.emplace_back("Expect:");
    // A POST without data carries no Content-Type: libcurl would add the form type by itself.
    if (request.verb == HttpVerb::Post && request.post_data.empty()
        && !HasHeaderLine(request.extra_headers, "Content-Type"))
        http.header_lines.emplace_back("Content-Type:");
    if (request.verb == HttpVerb::Post)
        http.body = request.post_data;
    return http;
}

}

bool CopyReplyCookies(std::string_view header_text, std::string_view host)
{
    constexpr std::string_view SetCookieName = "Set-Cookie:";
    std::string url = "http://" + std::string(host);
    bool stored = false;
    for (auto const& line : HeaderLines(header_text)) {
        if (!StartsWithIgnoringCase(line, SetCookieName))
            continue;
        std::string_view rest(line);
        rest.remove_prefix(SetCookieName.size());
        while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
            rest.remove_prefix(1);
        std::size_t equals = rest.find('=');
        std::string_view name
            = equals == std::string_view::npos ? std::string_view() : rest.substr(0, equals);
        std::string_view data = equals == std::string_view::npos ? rest : rest.substr(equals + 1);
        stored = CookieStore::Shared().SetCookie(url, name, data, ChangeNotice::AtNextSynchronise) || stored;
    }
    return stored;
}

void FetchWorker(SharedPageChannel channel)
{
    FinishedOnExit finished(*channel);
    auto request = channel->TakeRequest();
    if (!request)
        return;
    AddressParts parts = SplitAddress(request->url);
    // A host that is no host name, or a port beyond the range, cannot be connected to: the
    // worker ends without a reply.
    if (!IsHostName(parts.host) || parts.port < 0 || parts.port > HighestPort)
        return;

    HttpTransfer transfer(TransferFor(*request, parts));
    if (transfer.Run(WorkerPollSlice, {}, &channel->Stop()) == TransferEnd::Stopped)
        return;

    PageReply reply {transfer.HeaderText(), std::move(transfer.Body())};
    channel->FinishAndWriteReply(std::move(reply), [&](PageReply& written) {
        written.stored_cookies = CopyReplyCookies(written.header_text, parts.host);
    });
}

}
