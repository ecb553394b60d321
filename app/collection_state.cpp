#include "app/collection_state.h"

#include "text/marker_search.h"

namespace velmora {

bool IsNameSeen(CollectionState const& state, std::string_view name)
{
    Text haystack = "/" + state.SeenNames;
    Text needle = "/" + Text(name) + "/";
    return FindMarker(haystack, needle).has_value();
}

void RememberName(CollectionState& state, std::string_view name)
{
    state.SeenNames += name;
    state.SeenNames += '/';
}

}
