// Buyers from a shop's ratings: the start/stop button 按钮采集买家1 and its page loop over the
// seller's rating pages.
#pragma once

#include "app/session.h"

#include <string_view>

namespace velmora {

// A rating page that reports itself as page 1 (currentPageNum":1}) although a later page was
// asked for: the seller's ratings have run out.
bool IsReportedAsFirstPage(std::string_view page_text);

enum class SellerIdResult {
    Found,
    Missing, // the shop page gave no usable id
};

// Fetches the shop page, stores the seller id it gives in SellerUserId (replacing the last
// run's) and tells whether that id is usable.
SellerIdResult FindSellerUserId(Session& session, Text const& shop_address);

// The click of 按钮采集买家1: starts a run when the button is idle, otherwise stops the
// running one. A start is refused while another run is active.
void StartOrStopShopBuyers(Session& session);

// The page loop: reads the seller's rating pages from CurrentPage on and lists their new
// buyers, until the ratings run out or the user presses the button again.
void CollectRatingPages(Session& session);

}
