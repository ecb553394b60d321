// Whole pages as the sample marketplace serves them, fetched once per run: the pages each
// collector's scan is measured on.
#pragma once

#include "text/gbk.h"

namespace velmora::bench {

struct MarketPages {
    Text item_search; // the list layout, 40 entries
    Text item_search_enlarged; // the enlarged four-picture layout
    Text seller_ratings; // a seller's rating page
    Text item_ratings; // an item's rating page
    Text shop_search; // the first page of a shop search for every shop, 40 entries
    Text rating_host; // the host the shop entries link their keepers to
};

MarketPages const& SampleMarketPages();

} // namespace velmora::bench
