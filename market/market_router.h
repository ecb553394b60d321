// Which page a host serves for a request.
#pragma once

#include "market/market_host.h"
#include "market/market_view.h"
#include "market/page_reply.h"
#include "market/request_target.h"

namespace velmora::market {

// The reply of host to a request for target; the 404 page for what the host does not serve.
PageReply Route(MarketHost host, RequestTarget const& target, MarketView const& view);

} // namespace velmora::market
