// The endpoints the fuzz targets and their seeds share: the seed pages are written with these
// addresses, so host names the parsers look for as markers (ImageHost, MallHost, RatingHost)
// stand on the seeds where the targets look for them.
#pragma once

#include "web/endpoints.h"

#include <string>
#include <string_view>

namespace velmora::fuzz {

inline Endpoints const& FuzzEndpoints()
{
    static Endpoints const endpoints = [] {
        Endpoints hosts;
        int port = 41001;
        for (std::string_view name : {"ItemSearchHost", "ShopSearchHost", "RatingHost", "ItemHost",
                 "HomeHost", "LoginHost", "ImageHost", "StatusHost", "MallHost", "UpdateServer"})
            hosts.Set(name, "127.0.0.1:" + std::to_string(port++));
        hosts.LoginScheme = "http://";
        return hosts;
    }();
    return endpoints;
}

}
