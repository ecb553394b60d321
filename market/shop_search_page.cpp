#include "market/shop_search_page.h"

#include "market/page_template.h"
#include "text/decimal.h"
#include "web/url_codec.h"

namespace velmora::market {

namespace {

constexpr int GoodsCountBase = 12;
constexpr int GoodsCountSpread = 800;
constexpr int GoodsCountStep = 53;

constexpr std::string_view PageHead
    = R"(<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Transitional//EN" "http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd">
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=gbk" />
<title>{{keyword}} - 店铺搜索 - 淘宝网</title>
</head>
<body>
<div id="header">
<a class="logo" href="http://{{home}}/">淘宝网</a>
<form action="/browse/shop_search.htm" method="get"><input type="hidden" name="shopf" value="newsearch" /><input name="q" value="{{keyword}}" /> <button type="submit">搜 店铺</button></form>
</div>
<div class="crumbs">店铺搜索 &gt; {{category}}</div>
)";

constexpr std::string_view NoResults = R"(<div class="no-result">
<p>没有找到与“{{keyword}}”相关的店铺。</p>
<p>建议您：检查输入的文字是否有误；换一个类目或所在地试试。</p>
</div>
)";

constexpr std::string_view TableHead = R"(<table class="shop-list" cellpadding="0" cellspacing="0">
<thead><tr><th>店铺</th><th>所在地</th><th>信用</th><th>宝贝数</th></tr></thead>
<tbody>
<!-- 表格内容循环开始 -->
)";

constexpr std::string_view ShopRow = R"(<!-- 大图模式增加 -->
<tr class="list-item">
<td class="shop-info">
<dl>
<dt><a href="{{shop_address}}" class="shop-name" target="_blank">{{shop_name}}</a></dt>
<dd class="shop-keeper">掌柜：<a href="{{keeper_link}}" target="_blank">{{nickname}}</a> {{mall_icon}}</dd>
<dd class="main-goods">主营：{{goods}}</dd>
</dl>
</td>
<td><p>{{place}}</p></td>
<td class="credit"><a data-rank="{{rank}}" href="{{keeper_link}}" target="_blank">{{rank_image}}</a></td>
<td class="goods-count">宝贝数：{{goods_count}}</td>
</tr>
)";

constexpr std::string_view MallIcon
    = R"(<!-- 商城店铺icon --><a class="mall-icon" href="{{mall_home}}" target="_blank"><img src="http://{{image}}/tps/mall.gif" alt="商城" /></a>)";

constexpr std::string_view RankImage = R"(<img src="{{address}}" align="absmiddle" />)";

constexpr std::string_view TableEnd = R"(<!-- 表格内容循环结束 -->
</tbody>
</table>
<div class="pagination"><span class="page-info">{{page}}/{{pages}}</span> 共 {{pages}} 页 {{next}}</div>
)";

constexpr std::string_view NextLink
    = R"(<a class="page-next" href="/browse/shop_search.htm?q={{encoded}}&amp;s={{offset}}">下一页</a>)";

constexpr std::string_view PageFoot = R"(<div id="footer">
<p>Copyright 2003-2011 Taobao.com 版权所有 <a href="http://{{home}}/">淘宝网</a></p>
</div>
</body>
</html>
)";

bool SwitchOn(RequestTarget const& target, std::string_view key)
{
    return !target.ValueOr(key, "").empty();
}

Text GoodsText(MarketView const& view, Seller const& seller)
{
    Text goods;
    for (auto const& word : view.Data().Categories()[seller.category].goods) {
        if (!goods.empty())
            goods += " ";
        goods += word;
    }
    return goods;
}

Text RowText(MarketView const& view, ShopEntry const& entry)
{
    Endpoints const& hosts = view.Addresses();
    Seller const& seller = *entry.seller;
    Text const mall_home = view.MallHomeAddress();
    Text const mall_icon = entry.mall
        ? FillTemplate(MallIcon, {{"mall_home", mall_home}, {"image", hosts.ImageHost}})
        : Text {};
    Text const rank_address = view.RankImageAddress(seller.credit_level);
    Text const rank_image
        = rank_address.empty() ? Text {} : FillTemplate(RankImage, {{"address", rank_address}});
    Text const goods = GoodsText(view, seller);
    Text const goods_count = DecimalText(
        GoodsCountBase + static_cast<long long>(seller.index * GoodsCountStep) % GoodsCountSpread);
    return FillTemplate(ShopRow,
        {
            {"shop_address", entry.shop_address},
            {"shop_name", entry.shop_name},
            {"keeper_link", entry.keeper_link},
            {"nickname", entry.nickname},
            {"mall_icon", mall_icon},
            {"goods", goods},
            {"place", entry.place},
            {"rank", entry.credit_value},
            {"rank_image", rank_image},
            {"goods_count", goods_count},
        });
}

} // namespace

ShopQuery ShopQueryFromTarget(RequestTarget const& target)
{
    ShopQuery query;
    query.keyword = target.ValueOr("q", "");
    query.category_name = target.ValueOr("catName", "");
    query.category_id = target.ValueOr("cat", "");
    query.in_shop_names = SwitchOn(target, "title");
    query.in_keeper_names = SwitchOn(target, "nick");
    query.in_item_names = SwitchOn(target, "tag");
    return query;
}

PageReply ShopSearchPage(MarketView const& view, RequestTarget const& target)
{
    Endpoints const& hosts = view.Addresses();
    ShopQuery const query = ShopQueryFromTarget(target);
    Text const shown = EscapeHtml(query.keyword);
    Text const category = query.category_name.empty() ? "所有类目"_gbk : EscapeHtml(query.category_name);
    int const offset = target.Number("s", 0);
    int const page = offset / SearchPageStride + 1;

    PageReply reply;
    reply.body
        = FillTemplate(PageHead, {{"keyword", shown}, {"home", hosts.HomeHost}, {"category", category}});
    int const pages = view.ShopSearchPageCount(query);
    if (pages == 0) {
        reply.body += FillTemplate(NoResults, {{"keyword", shown}});
        reply.body += FillTemplate(PageFoot, {{"home", hosts.HomeHost}});
        return reply;
    }
    reply.body += FillTemplate(TableHead, {});
    for (auto const& entry : view.ShopSearchEntries(query, offset))
        reply.body += RowText(view, entry);
    Text const encoded = UrlCodec {}.EncodeGbk(query.keyword);
    Text const next = page < pages
        ? FillTemplate(NextLink, {{"encoded", encoded}, {"offset", DecimalText(page * SearchPageStride)}})
        : Text {};
    reply.body += FillTemplate(
        TableEnd, {{"page", DecimalText(page)}, {"pages", DecimalText(pages)}, {"next", next}});
    reply.body += FillTemplate(PageFoot, {{"home", hosts.HomeHost}});
    return reply;
}

} // namespace velmora::market
