// The reset a start button performs before a run.
#pragma once

#include "app/collection_state.h"
#include "app/form.h"

namespace velmora {

// Clears the current tab's result list (tab 0: the seller list; any other: the buyer list),
// sets RowCounter to 1, PageCount to 0 and CurrentPage to 1, empties CurrentUrl and
// SeenNames and the status log. The other fields and the column titles stay.
void ResetRun(Form& form, CollectionState& state);

}
