#include "market/seller_pages.h"

#include "market/page_template.h"
#include "text/decimal.h"

namespace velmora::market {

namespace {

constexpr int CreditPointsPerLevel = 250;
constexpr int CreditPointsSpread = 200;
constexpr int CreditPointsStep = 37;
constexpr int PositiveRateBase = 980;
constexpr int PositiveRateSpread = 20;

// The rank image stands before the opening date: the date is looked for after the image.
// No blank stands between the label's </span> and the date, because this page is read
// with its spaces in place.
constexpr std::string_view CreditPageText
    = R"(<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Transitional//EN" "http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd">
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=gbk" />
<title>{{nickname}}的信用评价 - 淘宝网</title>
</head>
<body>
<div id="header"><a class="logo" href="http://{{home}}/">淘宝网</a> <span>信用评价</span></div>
<div class="personal-info">
<div class="title">卖家：<span class="nick">{{nickname}}</span></div>
<div class="rank">卖家信用：{{points}} {{rank}}</div>
<ul class="info">
<li><span class="label">好评率：</span>{{rate}}%</li>
<li><span class="label">所在地区：</span>{{place}}</li>
{{opened}}</ul>
<p><a href="{{shop}}" target="_blank">进入店铺</a></p>
</div>
<div class="rate-box">
<p>最近一周 最近一个月 最近六个月 六个月前</p>
</div>
</body>
</html>
)";

constexpr std::string_view RankImage
    = R"(<img src="{{address}}" align="absmiddle" title="{{points}}个信用积分" />)";
constexpr std::string_view MallBadge = R"(<span class="mall">商城卖家</span>)";
constexpr std::string_view OpenedLine = R"(<li><span class="label">创店时间：</span>{{date}}</li>
)";

constexpr std::string_view ShopPageText
    = R"(<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Transitional//EN" "http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd">
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=gbk" />
<title>首页-{{shop_name}}-淘宝网</title>
<script type="text/javascript">var g_config = {shopId:"{{shop_id}}", appId:1};</script>
</head>
<body>
<div id="shop-header" class="J_TWidget" data-widget-type="ShopHeader" data-widget-config="{key:user-{{user_id}}-prototype}">
<h1 class="shop-name">{{shop_name}}</h1>
</div>
<div class="shop-info">
<ul>
<li><span>掌柜：</span><a href="{{seller_link}}" target="_blank">{{nickname}}</a></li>
<li><span>所在地：</span>{{place}}</li>
{{opened}}<li><span>信用：</span>{{rank}}</li>
</ul>
</div>
<div class="shop-goods">
<p>主营：{{goods}}</p>
<p><a href="{{rating}}" target="_blank">查看信用评价</a></p>
</div>
<div id="footer"><a href="http://{{home}}/">淘宝网首页</a></div>
</body>
</html>
)";

Text CreditPoints(Seller const& seller)
{
    return DecimalText(seller.credit_level * CreditPointsPerLevel
        + static_cast<long long>(seller.index * CreditPointsStep) % CreditPointsSpread);
}

Text RankText(MarketView const& view, Seller const& seller, Text const& points)
{
    Text const address = view.RankImageAddress(seller.credit_level);
    if (address.empty())
        return FillTemplate(MallBadge, {});
    return FillTemplate(RankImage, {{"address", address}, {"points", points}});
}

} // namespace

PageReply CreditPage(MarketView const& view, std::string_view user_id)
{
    Seller const* seller = view.Data().SellerByUserId(user_id);
    if (!seller)
        return NotFoundPage();
    Text const points = CreditPoints(*seller);
    Text const date = view.OpeningDateShown(*seller);
    Text const opened = date.empty() ? Text {} : FillTemplate(OpenedLine, {{"date", date}});
    int const per_mille = PositiveRateBase + static_cast<int>(seller->index % PositiveRateSpread);
    Text const rate = DecimalText(per_mille / 10) + "." + DecimalText(per_mille % 10);
    Text const shop = view.ShopAddress(*seller);
    PageReply reply;
    reply.body = FillTemplate(CreditPageText,
        {
            {"nickname", seller->nickname},
            {"home", view.Addresses().HomeHost},
            {"points", points},
            {"rank", RankText(view, *seller, points)},
            {"rate", rate},
            {"place", seller->place},
            {"opened", opened},
            {"shop", shop},
        });
    return reply;
}

PageReply ShopPage(MarketView const& view, std::string_view shop_id)
{
    Seller const* seller = view.Data().SellerByShopId(shop_id);
    if (!seller)
        return NotFoundPage();
    Text const date = view.OpeningDateShown(*seller);
    Text const opened = date.empty() ? Text {} : FillTemplate(OpenedLine, {{"date", date}});
    Text goods;
    for (auto const& word : view.Data().Categories()[seller->category].goods)
        goods += word + " ";
    Text const seller_link = view.SellerLink(*seller);
    Text const rating = view.SellerRatingPageAddress(*seller, 1);
    PageReply reply;
    reply.body = FillTemplate(ShopPageText,
        {
            {"shop_name", seller->shop_name},
            {"shop_id", seller->shop_id},
            {"user_id", seller->user_id},
            {"seller_link", seller_link},
            {"nickname", seller->nickname},
            {"place", seller->place},
            {"opened", opened},
            {"rank", RankText(view, *seller, CreditPoints(*seller))},
            {"goods", goods},
            {"rating", rating},
            {"home", view.Addresses().HomeHost},
        });
    return reply;
}

} // namespace velmora::market
