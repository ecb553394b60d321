// The buyer list's double-click: a messenger chat with the buyer of the selected row.
#pragma once

#include "app/session.h"
#include "text/gbk.h"
#include "web/endpoints.h"
#include "web/url_codec.h"

#include <string_view>

namespace velmora {

// The messenger's chat page for nickname; the query keys are v, uid, site, s and charset,
// in that order, the nickname in the messenger's UTF-8 encoding.
Text ChatLinkAddress(Endpoints const& endpoints, UrlCodec const& codec, std::string_view nickname);

// Opens the chat with the buyer of the selected row of 超级列表框1 in the system's browser
// and switches the window's always-on-top setting off, so that the browser can come to the
// front. Without a selected row nothing happens.
void OpenBuyerChat(Session& session);

}
