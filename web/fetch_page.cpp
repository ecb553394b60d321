#include "web/fetch_page.h"

#include "text/spaces.h"
#include "web/cookie_store.h"
#include "web/fetch_worker.h"
#include "web/page_channel.h"

#include <atomic>
#include <system_error>
#include <thread>

namespace velmora {
namespace {

// Workers still running; never destroyed, so a cut-off worker may count itself out at exit.
constinit std::atomic<std::size_t> running_workers {0};

constexpr std::chrono::milliseconds WorkerCountPoll {5};

HttpVerb NormalisedVerb(std::string_view verb)
{
    if (verb.size() != 4)
        return HttpVerb::Get;
    std::string upper(verb);
    for (char& character : upper) {
        if (character >= 'a' && character <= 'z')
            character = static_cast<char>(character - 'a' + 'A');
    }
    return upper == "POST" ? HttpVerb::Post : HttpVerb::Get;
}

}

std::size_t RunningFetchWorkers()
{
    return running_workers.load();
}

bool WaitForFetchWorkers(std::chrono::milliseconds limit)
{
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (running_workers.load() > 0) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(WorkerCountPoll);
    }
    return true;
}

std::string FetchPage(EventPump& pump, std::string_view url, FetchOptions const& options)
{
    auto channel = std::make_shared<PageChannel>();
    channel->WriteRequest(PageRequest {
        .url = Text(url),
        .verb = NormalisedVerb(options.verb),
        .proxy = options.proxy,
        .user_name = options.user_name,
        .password = options.password,
        .extra_headers = options.extra_headers,
        .post_data = options.post_data,
        .cookie_text = options.cookie_text,
    });
    if (options.response_headers)
        options.response_headers->clear();

    std::thread worker;
    ++running_workers;
    try {
        worker = std::thread([channel] {
            FetchWorker(channel);
            --running_workers;
        });
    } catch (std::system_error const&) {
        --running_workers;
        return {};
    }

    int limit_seconds
        = options.time_limit_seconds > 0 ? options.time_limit_seconds : DefaultFetchTimeLimitSeconds;
    std::chrono::milliseconds limit = std::chrono::seconds(limit_seconds);
    bool timed_out = false;
    for (;;) {
        WakeReason reason = pump.WaitForSignalOrEvent(channel->Finished(), limit);
        pump.RunPendingEvents();
        if (reason == WakeReason::Signalled)
            break;
        if (reason == WakeReason::TimedOut) {
            timed_out = true;
            break;
        }
    }

    // The worker holds its own reference to the channel, so it may end after this call has
    // returned: a finished worker has only its exit left, and a cut-off one ends by itself once
    // curl sees the stop, whatever it writes after this being dropped.
    worker.detach();
    std::optional<PageReply> reply;
    if (timed_out)
        channel->CutOff();
    else
        reply = channel->TakeReply();
    if (!reply)
        return {};
    if (reply->stored_cookies || !TrimSpaces(options.cookie_text).empty())
        CookieStore::Shared().Synchronise();
    if (options.response_headers)
        *options.response_headers = std::move(reply->header_text);
    return std::move(reply->body);
}

}
