// The velmora-cli command lines the whole-run figures use, pointed at a sample marketplace.
#pragma once

#include "web/endpoints.h"

#include <string>
#include <vector>

namespace velmora::bench {

// "--endpoint NAME=VALUE" for every endpoint, values in UTF-8 as a shell would pass them.
std::vector<std::string> EndpointArguments(Endpoints const& endpoints);

} // namespace velmora::bench
