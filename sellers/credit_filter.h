// The credit filter: the levels chosen on the credit panel 分组框5, kept in CreditFilterList.
#pragma once

#include "app/collection_state.h"
#include "app/form.h"

#include <string_view>

namespace velmora {

// Rebuilds CreditFilterList: "/" and, for every checked level box in ascending order of its
// level number (its tag, 1 to 20), the tag and "/". No box checked gives "/"; 选择框0 never
// counts.
void BuildCreditFilterList(Form const& form, CollectionState& state);

// Passes every number while CreditFilterList is "/" (no level chosen); otherwise only a
// number that the list holds as a whole: with "/5/16/" the number 6 fails.
bool PassesCreditFilter(CollectionState const& state, std::string_view number);

}
