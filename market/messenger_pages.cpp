#include "market/messenger_pages.h"

#include "market/gif_image.h"
#include "market/page_template.h"

namespace velmora::market {

namespace {

constexpr std::string_view ChatPageText = R"(<!DOCTYPE html>
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=gbk" />
<title>阿里旺旺 - 与{{nickname}}交谈</title>
</head>
<body>
<div class="chat">
<h3>正在打开与 {{nickname}} 的对话……</h3>
<p>当前状态：{{state}}</p>
<p>如果阿里旺旺没有自动打开，请先安装并登录阿里旺旺。</p>
</div>
</body>
</html>
)";

Text StateName(OnlineState state)
{
    switch (state) {
    case OnlineState::Online:
        return "在线"_gbk;
    case OnlineState::Mobile:
        return "手机"_gbk;
    case OnlineState::Offline:
        return "离线"_gbk;
    case OnlineState::Unknown:
        break;
    }
    return "未知"_gbk;
}

} // namespace

Text NicknameFromUid(std::string_view uid)
{
    return Utf8ToGbk(uid);
}

std::size_t StatusImageSize(MarketView const& view, OnlineState state)
{
    auto const& sizes = view.Switches().status_image_sizes;
    switch (state) {
    case OnlineState::Online:
        return sizes.online;
    case OnlineState::Mobile:
        return sizes.mobile;
    case OnlineState::Offline:
        return sizes.offline;
    case OnlineState::Unknown:
        break;
    }
    return sizes.unknown;
}

PageReply StatusImage(MarketView const& view, RequestTarget const& target)
{
    Text const nickname = NicknameFromUid(target.ValueOr("uid", ""));
    PageReply reply;
    reply.content_type = GifImage;
    reply.body = GifOfSize(StatusImageSize(view, view.StateOf(nickname)));
    return reply;
}

PageReply ChatPage(MarketView const& view, RequestTarget const& target)
{
    Text const nickname = NicknameFromUid(target.ValueOr("uid", ""));
    PageReply reply;
    reply.body = FillTemplate(
        ChatPageText, {{"nickname", EscapeHtml(nickname)}, {"state", StateName(view.StateOf(nickname))}});
    return reply;
}

} // namespace velmora::market
