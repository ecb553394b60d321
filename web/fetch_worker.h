// The thread side of FetchPage: one request, read from the channel, sent with its own curl
// handle, the reply written back and its cookies copied into the shared store.
#pragma once

#include "web/page_channel.h"

#include <string_view>

namespace velmora {

constexpr std::string_view FetchAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

// The thread's entry. It ends by setting the channel's Finished signal, whatever happened.
void FetchWorker(SharedPageChannel channel);

// Stores every cookie that a Set-Cookie line of header_text sets, for "http://" + host, as
// SetCookie does; observers hear of them at the store's next Synchronise. True when any was
// stored.
bool CopyReplyCookies(std::string_view header_text, std::string_view host);

}
