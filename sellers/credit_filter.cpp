#include "sellers/credit_filter.h"

#include "sellers/credit_level.h"
#include "text/marker_search.h"

namespace velmora {

namespace {

constexpr std::string_view ListSeparator = "/";

}

void BuildCreditFilterList(Form const& form, CollectionState& state)
{
    state.CreditFilterList = ListSeparator;
    for (int level = 1; level <= HighestCreditLevel; ++level) {
        Control box = LevelBox(level);
        if (form.IsChecked(box)) {
            state.CreditFilterList += DefinitionOf(box).tag;
            state.CreditFilterList += ListSeparator;
        }
    }
}

bool PassesCreditFilter(CollectionState const& state, std::string_view number)
{
    if (state.CreditFilterList == ListSeparator)
        return true;
    Text const wanted = Text(ListSeparator) + Text(number) + Text(ListSeparator);
    return ContainsMarker(state.CreditFilterList, wanted);
}

}
