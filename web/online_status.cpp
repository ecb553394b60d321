#include "web/online_status.h"

#include "web/fetch_page.h"

namespace velmora {
namespace {

// The status images differ in size: above each bound lies the next state up.
constexpr std::size_t OnlineAbove = 4000;
constexpr std::size_t MobileAbove = 2000;
constexpr std::size_t OfflineAbove = 500;

}

Text ProbeOnlineStatus(
    EventPump& pump, Endpoints const& endpoints, UrlCodec const& codec, std::string_view nickname)
{
    Text address = "http://" + endpoints.StatusHost + "/online.aw?v=2&uid=" + codec.EncodeUtf8(nickname)
        + "&site=cntaobao&s=1&charset=utf-8";
    std::size_t size = FetchPage(pump, address).size();
    if (size > OnlineAbove)
        return "在线"_gbk;
    if (size > MobileAbove)
        return "手机"_gbk;
    if (size > OfflineAbove)
        return "离线"_gbk;
    return " -  ";
}

}
