#include "web/read_url.h"

#include "web/cookie_store.h"
#include "web/http_transfer.h"

#include <algorithm>

namespace velmora {

std::string ReadUrl(EventPump& pump, Text& url, AgentChoice agent)
{
    return ReadUrl(pump, url, agent, ReadUrlLimits {});
}

std::string ReadUrl(EventPump& pump, Text& url, AgentChoice agent, ReadUrlLimits const& limits)
{
    std::ranges::replace(url, '\\', '/');
    if (url.empty())
        return {};

    HttpRequest request;
    request.url = EscapeForRequestLine(url);
    request.user_agent = agent == AgentChoice::Second ? ReadUrlSecondAgent : ReadUrlAgent;
    request.proxy_route = ProxyRoute::System;
    request.cookies = CookieUse::SharedStore;
    request.protocols = "http,https";
    request.connect_limit = limits.connect;
    request.chunk_size = ReadUrlChunkSize;

    HttpTransfer transfer(request);
    transfer.Run(ReadUrlPollSlice, [&] {
        pump.RunPendingEvents();
        return std::chrono::steady_clock::now() - transfer.LastActivity() < limits.idle;
    });
    if (transfer.SawSetCookie())
        CookieStore::Shared().Synchronise();
    return std::move(transfer.Body());
}

}
