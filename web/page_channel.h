// The channel between FetchPage and its worker: one per call, shared by both threads through
// a reference count, so that whichever of them finishes last frees it. It holds the request
// until the worker takes it, then nothing, then the reply. Once the caller has cut the worker
// off, nothing the worker writes is kept, and its transfer is stopped through curl's callbacks.
#pragma once

#include "text/gbk.h"
#include "web/event_pump.h"
#include "web/http_transfer.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <variant>

namespace velmora {

struct PageRequest {
    Text url; // unchanged, as the caller passed it
    HttpVerb verb {HttpVerb::Get};
    Text proxy;
    Text user_name;
    Text password;
    Text extra_headers; // lines ended by CR LF
    Text post_data;
    Text cookie_text; // the value of a Cookie header
};

struct PageReply {
    Text header_text; // the reply's raw header lines
    std::string body;
    bool stored_cookies {false}; // the worker stored the reply's cookies
};

class PageChannel {
public:
    // The caller's side.
    void WriteRequest(PageRequest request);
    // Set by the worker when it has ended.
    CompletionSignal& Finished() { return m_finished; }
    // The reply, once the worker has finished; empty when it wrote none.
    std::optional<PageReply> TakeReply();
    // Stops the worker's transfer and discards what the channel holds; whatever the worker
    // writes from now on is dropped.
    void CutOff();

    // The worker's side.
    // The request, leaving the channel empty; none when the channel does not hold one.
    std::optional<PageRequest> TakeRequest();
    // Runs finish and then writes reply, both only when the worker has not been cut off, and
    // as one step against CutOff: either both happen before the cut-off or neither does.
    void FinishAndWriteReply(PageReply reply, std::function<void(PageReply&)> const& finish);
    TransferStop& Stop() { return m_stop; }

private:
    std::mutex m_mutex;
    std::variant<std::monostate, PageRequest, PageReply> m_record;
    bool m_cut_off {false};
    TransferStop m_stop;
    CompletionSignal m_finished;
};

using SharedPageChannel = std::shared_ptr<PageChannel>;

}
