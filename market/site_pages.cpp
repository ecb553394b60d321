#include "market/site_pages.h"

#include "market/gif_image.h"
#include "market/page_template.h"
#include "web/url_codec.h"

namespace velmora::market {

namespace {

constexpr std::size_t RankImageSize = 72;
constexpr std::size_t PictureSize = 160;
constexpr int HighestLevel = 20;

constexpr std::string_view NotFoundText = R"(<!DOCTYPE html>
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=gbk" />
<title>页面不存在 - 淘宝网</title>
</head>
<body>
<h3>很抱歉，您查看的页面找不到了！</h3>
<p>请检查您输入的网址是否正确。</p>
</body>
</html>
)";

constexpr std::string_view LoginText = R"(<!DOCTYPE html>
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=gbk" />
<title>淘宝网 - 会员登录</title>
</head>
<body>
<div class="login-box">
<h2>会员登录</h2>
<form action="/member/login.jhtml" method="post">
<input type="hidden" name="redirectURL" value="{{redirect}}" />
<p><label>账户名：</label><input type="text" name="TPL_username" /></p>
<p><label>密码：</label><input type="password" name="TPL_password" /></p>
<p><button type="submit">登 录</button></p>
</form>
<p><a href="http://{{home}}/">返回淘宝网首页</a></p>
</div>
</body>
</html>
)";

constexpr std::string_view HomeText = R"(<!DOCTYPE html>
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=gbk" />
<title>淘宝网 - 淘！我喜欢</title>
</head>
<body>
<div id="header"><a class="logo" href="/">淘宝网</a></div>
<form action="http://{{item_search}}/search" method="get"><input name="q" /> <button type="submit">搜 索</button></form>
<form action="http://{{shop_search}}/browse/shop_search.htm" method="get"><input type="hidden" name="shopf" value="newsearch" /><input name="q" /> <button type="submit">搜 店铺</button></form>
<ul class="hot">
{{hot}}</ul>
<p><a href="{{example_shop}}">推荐店铺</a> <a href="{{example_item}}">推荐宝贝</a> <a href="{{mall}}">天猫商城</a></p>
</body>
</html>
)";

constexpr std::string_view HotLink
    = R"(<li><a href="http://{{item_search}}/search?q={{encoded}}">{{keyword}}</a></li>
)";

constexpr std::string_view MallText = R"(<!DOCTYPE html>
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=gbk" />
<title>天猫商城 - 品质购物</title>
</head>
<body>
<h1>天猫商城</h1>
<p>正品保障 七天无理由退换</p>
<p><a href="http://{{home}}/">淘宝网首页</a></p>
</body>
</html>
)";

constexpr std::string_view BannerText = R"(<!DOCTYPE html>
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=gbk" />
<title>Velmora</title>
<style>body { margin: 0; font-size: 12px; background: #fff7e6; } p { margin: 4px 8px; }</style>
</head>
<body>
<p><b>Velmora 卖家买家采集</b> 新版 {{version}} 已发布，点击“更新”即可升级。</p>
<p><a href="http://{{update}}/help.htm" target="_blank">使用帮助</a> <a href="{{maker_shop}}" target="_blank">官方店铺</a></p>
</body>
</html>
)";

constexpr std::string_view HelpText = R"(<!DOCTYPE html>
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=gbk" />
<title>Velmora 使用帮助</title>
</head>
<body>
<h2>Velmora 使用帮助</h2>
<h3>卖家采集</h3>
<p>输入关键字，选择“宝贝搜索”或“店铺搜索”，点击“开始”。店铺搜索可以按类别、所在地和店铺名、掌柜名、宝贝名筛选。</p>
<p>勾选“显示信誉”或“创店时间”后，可在“信誉设置”和“时间设置”里选择卖家等级和开店时间。</p>
<h3>买家采集</h3>
<p>填入店铺地址或宝贝地址，点击“开始”，即可采集给该店铺或宝贝评价过的买家。</p>
<h3>导出</h3>
<p>点击“提取”，把列表保存为文本文件。</p>
<p><a href="{{maker_shop}}">联系我们</a></p>
</body>
</html>
)";

PageReply Gif(std::size_t size)
{
    PageReply reply;
    reply.content_type = GifImage;
    reply.body = GifOfSize(size);
    return reply;
}

} // namespace

PageReply NotFoundPage()
{
    PageReply reply;
    reply.status = HttpNotFound;
    reply.body = FillTemplate(NotFoundText, {});
    return reply;
}

std::vector<std::string> const& LoginCookies()
{
    static std::vector<std::string> const cookies = {
        "cookie2=1f2e3d4c5b6a79880f1e2d3c4b5a6978; Path=/; HttpOnly",
        "_tb_token_=e3a5f8b2c1d0; Path=/",
        "t=8c2f9e7d6b5a4c3d2e1f0a9b8c7d6e5f; Path=/",
    };
    return cookies;
}

PageReply LoginPage(MarketView const& view, RequestTarget const& target)
{
    PageReply reply;
    reply.body = FillTemplate(LoginText,
        {{"redirect", EscapeHtml(target.ValueOr("redirectURL", ""))}, {"home", view.Addresses().HomeHost}});
    for (auto const& cookie : LoginCookies())
        reply.headers.emplace_back("Set-Cookie", cookie);
    return reply;
}

PageReply HomePage(MarketView const& view)
{
    Endpoints const& hosts = view.Addresses();
    Text const example_shop = view.ExampleShopAddress();
    Text const example_item = view.ExampleItemAddress();
    Text const mall = view.MallHomeAddress();
    Text hot;
    for (auto const& listing : view.Data().Listings()) {
        Text const encoded = UrlCodec {}.EncodeGbk(listing.keyword);
        hot += FillTemplate(HotLink,
            {{"item_search", hosts.ItemSearchHost}, {"encoded", encoded}, {"keyword", listing.keyword}});
    }
    PageReply reply;
    reply.body = FillTemplate(HomeText,
        {{"item_search", hosts.ItemSearchHost}, {"shop_search", hosts.ShopSearchHost}, {"hot", hot},
            {"example_shop", example_shop}, {"example_item", example_item}, {"mall", mall}});
    return reply;
}

PageReply MallHomePage(MarketView const& view)
{
    PageReply reply;
    reply.body = FillTemplate(MallText, {{"home", view.Addresses().HomeHost}});
    return reply;
}

PageReply BannerPage(MarketView const& view)
{
    PageReply reply;
    reply.body = FillTemplate(BannerText,
        {{"version", EscapeHtml(view.Switches().update.newest_version)},
            {"update", view.Addresses().UpdateServer}, {"maker_shop", view.Addresses().MakerShopUrl}});
    return reply;
}

PageReply HelpPage(MarketView const& view)
{
    PageReply reply;
    reply.body = FillTemplate(HelpText, {{"maker_shop", view.Addresses().MakerShopUrl}});
    return reply;
}

PageReply RankImage(std::string_view name)
{
    for (int level = 1; level <= HighestLevel; ++level) {
        if (RankImageName(level) == name)
            return Gif(RankImageSize + static_cast<std::size_t>(level));
    }
    return NotFoundPage();
}

PageReply Picture()
{
    return Gif(PictureSize);
}

} // namespace velmora::market
