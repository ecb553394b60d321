// The run fields that every collector shares. One set serves both tabs, so only one run
// may be active at a time (see RunGate).
#pragma once

#include "text/gbk.h"
#include "web/url_codec.h"

#include <cstdint>
#include <string_view>

namespace velmora {

struct CollectionState {
    std::int32_t RowCounter {0}; // 1-based number of the next result row
    std::int32_t PageCount {0}; // result pages the search reports; 0 while unknown
    std::int32_t CurrentPage {0}; // 1-based number of the page being collected
    Text CurrentUrl; // the address of the page about to be read
    Text SeenNames; // names listed in this run, each followed by "/"
    Text SellerUserId; // the shop seller's numeric id (buyers from a shop)
    Text CreditFilterList; // "/" and each chosen level followed by "/"
    Text CategoryId; // cat of the chosen category; empty for all
    Text RootCategoryId; // rootCat of the chosen category; empty for all
    UrlCodec Codec; // stateless, shared by every collector
};

// A name counts as seen when "/" + SeenNames contains "/" + name + "/": with SeenNames
// "abc/" the name "ab" is new.
bool IsNameSeen(CollectionState const& state, std::string_view name);

// Appends name + "/" to SeenNames.
void RememberName(CollectionState& state, std::string_view name);

}
