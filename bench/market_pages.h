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
};

MarketPages const& SampleMarketPages();

} // namespace velmora::bench
