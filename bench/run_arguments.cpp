#include "bench/run_arguments.h"

#include "text/gbk.h"

namespace velmora::bench {

std::vector<std::string> EndpointArguments(Endpoints const& endpoints)
{
    std::vector<std::string> arguments;
    for (auto name : Endpoints::Names()) {
        arguments.push_back("--endpoint");
        arguments.push_back(std::string(name) + "=" + GbkToUtf8(endpoints.Get(name).value_or("")));
    }
    return arguments;
}

} // namespace velmora::bench
