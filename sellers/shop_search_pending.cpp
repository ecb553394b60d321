#include "sellers/seller_run.h"
#include "sellers/shop_search.h"

namespace velmora {

// The shop search collector is not built yet. Until it is, a shop search run returns to idle
// at once, without end lines, so the log does not claim a finished collection.
void CollectShopFirstPage(Session& session)
{
    EndSellerRun(session.form);
}

}
