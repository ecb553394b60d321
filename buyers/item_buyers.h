// Buyers from an item's ratings: the start/stop button 按钮采集买家2 and its page loop over
// the item's rating-detail pages.
#pragma once

#include "app/session.h"

namespace velmora {

// The last page an item run reads.
constexpr int LastItemRatingPage = 100;

// The click of 按钮采集买家2: starts a run when the button is idle, otherwise stops the
// running one. A start is refused while another run is active.
void StartOrStopItemBuyers(Session& session);

// The page loop: reads the rating pages from CurrentUrl and CurrentPage on and lists their
// new buyers, until a page runs out of nicknames, page 100 is done or the user presses the
// button again.
void CollectItemRatingPages(Session& session);

}
