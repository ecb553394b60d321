#include "web/endpoints.h"

#include <array>

namespace velmora {

namespace {

constexpr std::array<std::string_view, 14> EndpointNames = {
    "ItemSearchHost",
    "ShopSearchHost",
    "RatingHost",
    "ItemHost",
    "HomeHost",
    "LoginHost",
    "ImageHost",
    "StatusHost",
    "MallHost",
    "UpdateServer",
    "BannerPageUrl",
    "HelpPageUrl",
    "MakerShopUrl",
    "SupportContact",
};

template<typename Self> auto* FieldNamed(Self& endpoints, std::string_view name)
{
    using FieldPointer = decltype(&endpoints.ItemSearchHost);
    FieldPointer fields[] = {
        &endpoints.ItemSearchHost,
        &endpoints.ShopSearchHost,
        &endpoints.RatingHost,
        &endpoints.ItemHost,
        &endpoints.HomeHost,
        &endpoints.LoginHost,
        &endpoints.ImageHost,
        &endpoints.StatusHost,
        &endpoints.MallHost,
        &endpoints.UpdateServer,
        &endpoints.BannerPageUrl,
        &endpoints.HelpPageUrl,
        &endpoints.MakerShopUrl,
        &endpoints.SupportContact,
    };
    static_assert(std::size(fields) == EndpointNames.size());
    for (std::size_t i = 0; i < EndpointNames.size(); ++i) {
        if (EndpointNames[i] == name)
            return fields[i];
    }
    return FieldPointer {nullptr};
}

}

Endpoints Endpoints::Marketplace()
{
    Endpoints endpoints;
    endpoints.ItemSearchHost = "s.taobao.com";
    endpoints.ShopSearchHost = "shopsearch.taobao.com";
    endpoints.RatingHost = "rate.taobao.com";
    endpoints.ItemHost = "item.taobao.com";
    endpoints.HomeHost = "www.taobao.com";
    endpoints.LoginHost = "login.taobao.com";
    endpoints.ImageHost = "pics.taobaocdn.com";
    endpoints.StatusHost = "amos.im.alisoft.com";
    endpoints.MallHost = "www.tmall.com";
    endpoints.UpdateServer = "update.velmora.net";
    endpoints.BannerPageUrl = "http://update.velmora.net/banner.htm";
    endpoints.HelpPageUrl = "http://update.velmora.net/help.htm";
    endpoints.MakerShopUrl = "http://velmora.taobao.com/";
    endpoints.SupportContact = "800012345";
    endpoints.ExampleShopAddress = "http://velmora.taobao.com/";
    endpoints.ExampleItemAddress = "http://item.taobao.com/item.htm?id=12867574371";
    return endpoints;
}

std::span<std::string_view const> Endpoints::Names()
{
    return EndpointNames;
}

bool Endpoints::Set(std::string_view name, Text value)
{
    auto* field = FieldNamed(*this, name);
    if (!field)
        return false;
    *field = std::move(value);
    return true;
}

std::optional<Text> Endpoints::Get(std::string_view name) const
{
    auto* field = FieldNamed(*this, name);
    if (!field)
        return std::nullopt;
    return *field;
}

Text Endpoints::LoginPageUrl() const
{
    return LoginScheme + LoginHost + "/member/login.jhtml?f=top&redirectURL=http%3A%2F%2F" + HomeHost + "%2F";
}

}
