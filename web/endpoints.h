// The servers Velmora talks to. Every address is "http://" + endpoint + path.
#pragma once

#include "text/gbk.h"

#include <optional>
#include <span>
#include <string_view>

namespace velmora {

struct Endpoints {
    Text ItemSearchHost; // item search result pages
    Text ShopSearchHost; // shop search result pages, and the category links
    Text RatingHost; // sellers' and items' rating pages; also a marker inside shop entries
    Text ItemHost; // item pages
    Text HomeHost; // the home page, inside the login page's address
    Text LoginHost; // the login page of the hidden browser
    Text ImageHost; // rank images under /newrank/
    Text StatusHost; // the messenger's status images and chat page
    Text MallHost; // the mall's home host, a marker inside result entries
    Text UpdateServer; // the update manifest
    Text BannerPageUrl;
    Text HelpPageUrl;
    Text MakerShopUrl;
    Text SupportContact;

    // The scheme of the hidden browser's login page: "https://" on the marketplace; the
    // sample marketplace serves plain HTTP only.
    Text LoginScheme {"https://"};
    // The example addresses first shown on the buyer tab.
    Text ExampleShopAddress;
    Text ExampleItemAddress;

    // The real marketplace and the maker's servers.
    static Endpoints Marketplace();

    // The names accepted by Set, in the order of the fields.
    static std::span<std::string_view const> Names();

    // Replaces the endpoint called name; false when there is no endpoint of that name.
    bool Set(std::string_view name, Text value);
    std::optional<Text> Get(std::string_view name) const;

    // The hidden browser's login page address.
    Text LoginPageUrl() const;
};

}
