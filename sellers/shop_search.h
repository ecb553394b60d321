// The shop search: the shops found for the keyword, location and category.
#pragma once

#include "app/session.h"

namespace velmora {

// Reads the first shop search result page and carries the run to its end.
void CollectShopFirstPage(Session& session);

}
