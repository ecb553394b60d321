// The update server's manifest (/update/update.txt) and the new program file.
#pragma once

#include "market/market_view.h"
#include "market/page_reply.h"

namespace velmora::market {

// The manifest as GBK text: CR LF lines of a four-character key, the full-width colon
// (two bytes) and the value; the program's section is 软件名称 Velmora, and another
// product's section follows it (or also precedes it, when the scenario says so).
Text ManifestText(MarketView const& view);

PageReply ManifestFile(MarketView const& view);
PageReply ProgramFile(MarketView const& view);

} // namespace velmora::market
