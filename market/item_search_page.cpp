#include "market/item_search_page.h"

#include "market/page_template.h"
#include "text/decimal.h"
#include "text/marker_search.h"
#include "web/url_codec.h"

namespace velmora::market {

namespace {

constexpr int LowestPrice = 39;
constexpr int PriceSpread = 400;
constexpr int PriceStep = 37;
constexpr int SoldSpread = 300;
constexpr int SoldStep = 13;
constexpr int PictureServers = 4;

constexpr std::string_view PageHead
    = R"(<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Transitional//EN" "http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd">
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=gbk" />
<title>{{keyword}} - 淘宝搜索</title>
</head>
<body>
<div id="header">
<a class="logo" href="http://{{home}}/">淘宝网</a>
<form action="/search" method="get"><input name="q" value="{{keyword}}" /> <button type="submit">搜 索</button></form>
</div>
)";

constexpr std::string_view NoResults = R"(<div class="no-result">
<p>没有找到与“{{keyword}}”相关的宝贝。</p>
<p>建议您：看看输入的文字是否有误；去掉可能不必要的字词，如“的”、“什么”等；换一个关键字试试。</p>
</div>
)";

constexpr std::string_view FilterBar = R"(<div id="J_FilterTabBar" class="tab-bar">
<ul><li class="selected"><a href="#">所有宝贝</a></li> <li><a href="#">商城</a></li> <li><a href="#">二手</a></li></ul>
</div>
)";

constexpr std::string_view NormalListHead = R"(<div class="list-view">
<ul class="list-items">
)";

constexpr std::string_view NormalEntry = R"(<li class="list-item">
<h3 class="summary"><a href="{{item_link}}" target="_blank" class="EventCanSelect" title="{{title}}">{{title}}</a></h3>
<div class="price"><em>{{price}}</em> 元</div>
<div class="dealing">最近{{sold}}人成交</div>
<div class="place">{{place}}</div>
<div class="seller"><a href="{{seller_link}}" target="_blank">{{nickname}}</a></div>
{{mall}}</li>
)";

constexpr std::string_view EnlargedListHead
    = R"(<div class="related-search">搜索“{{keyword}}”的用户喜欢：<a href="/search?q={{encoded}}%D0%C2%BF%EE">{{keyword}}新款</a> <a href="/search?q={{encoded}}%B0%FC%D3%CA">{{keyword}}包邮</a></div>
<div class="page-top"><span class="page-info">第 {{page}} 页</span> 共 {{pages}} 页</div>
<div class="list-view-enlarge-4pic">
<ul class="list-items">
)";

constexpr std::string_view EnlargedEntry = R"(<li class="list-item">
<div class="pic"><a href="{{item_link}}" target="_blank"><img src="http://{{image}}/bao/uploaded/i{{server}}/T1{{id}}.jpg_160x160.jpg" alt="" /></a></div>
<h3 class="summary"><a href="{{item_link}}" target="_blank" title="{{title}}">{{title}}</a></h3>
<div class="price"><em>{{price}}</em> 元</div>
<div class="loc">{{place}}</div>
<div class="seller"><a href="{{seller_link}}" target="_blank">{{nickname}}</a></div>
{{mall}}</li>
)";

constexpr std::string_view MallIcon
    = R"(<a class="mall-icon" href="{{mall_home}}" target="_blank"><img src="http://{{image}}/tps/mall.gif" alt="商城" /></a>
)";

constexpr std::string_view ListEnd = R"(</ul>
</div>
<!-- endlistview -->
)";

constexpr std::string_view NormalPager = R"(<div class="page-bottom">
<span class="page-info">{{page}}/{{pages}}</span> 共 {{pages}} 页 {{next}}
</div>
)";

constexpr std::string_view EnlargedPager = R"(<div class="page-bottom">{{next}}</div>
<div class="did-you-mean">你是不是想找：<a href="/search?q={{encoded}}%C5%AE">{{keyword}}女</a> <a href="/search?q={{encoded}}%C4%D0">{{keyword}}男</a></div>
)";

constexpr std::string_view NextLink
    = R"(<a class="page-next" href="/search?q={{encoded}}&amp;s={{offset}}#J_FilterTabBar">下一页</a>)";

constexpr std::string_view PageFoot = R"(<div id="footer">
<p>Copyright 2003-2011 Taobao.com 版权所有 <a href="http://{{home}}/">淘宝网</a></p>
</div>
</body>
</html>
)";

Text PriceOf(Item const& item)
{
    return DecimalText(LowestPrice + (item.index * PriceStep) % PriceSpread) + ".00";
}

Text EntryText(MarketView const& view, ItemEntry const& entry, bool enlarged)
{
    Endpoints const& hosts = view.Addresses();
    Text const mall_home = view.MallHomeAddress();
    Text const mall = entry.mall
        ? FillTemplate(MallIcon, {{"mall_home", mall_home}, {"image", hosts.ImageHost}})
        : Text {};
    Text const price = PriceOf(entry.item);
    Text const sold = DecimalText(1 + (entry.item.index * SoldStep) % SoldSpread);
    Text const server = DecimalText(1 + entry.item.index % PictureServers);
    return FillTemplate(enlarged ? EnlargedEntry : NormalEntry,
        {
            {"item_link", entry.item_link},
            {"title", entry.title},
            {"price", price},
            {"sold", sold},
            {"place", entry.place},
            {"seller_link", entry.seller_link},
            {"nickname", entry.nickname},
            {"mall", mall},
            {"image", hosts.ImageHost},
            {"server", server},
            {"id", entry.item.id},
        });
}

} // namespace

PageReply ItemSearchPage(MarketView const& view, RequestTarget const& target)
{
    Endpoints const& hosts = view.Addresses();
    Text const keyword = target.ValueOr("q", "");
    Text const shown = EscapeHtml(keyword);
    Text const encoded = UrlCodec {}.EncodeGbk(keyword);
    int const offset = target.Number("s", 0);
    int const page = offset / SearchPageStride + 1;

    PageReply reply;
    reply.body = FillTemplate(PageHead, {{"keyword", shown}, {"home", hosts.HomeHost}});
    KeywordListing const* listing = view.Listing(keyword);
    if (!listing) {
        reply.body += FillTemplate(NoResults, {{"keyword", shown}});
        reply.body += FillTemplate(PageFoot, {{"home", hosts.HomeHost}});
        return reply;
    }

    int const pages = view.ItemSearchPageCount(keyword);
    Text const page_text = DecimalText(page);
    Text const pages_text = DecimalText(pages);
    Text const next = page < pages
        ? FillTemplate(NextLink, {{"encoded", encoded}, {"offset", DecimalText(page * SearchPageStride)}})
        : Text {};
    bool const enlarged = view.IsEnlargedPage(*listing, page);

    reply.body += FillTemplate(FilterBar, {});
    if (enlarged) {
        reply.body += FillTemplate(EnlargedListHead,
            {{"keyword", shown}, {"encoded", encoded}, {"page", page_text}, {"pages", pages_text}});
    } else {
        reply.body += FillTemplate(NormalListHead, {});
    }
    for (auto const& entry : view.ItemSearchEntries(keyword, offset))
        reply.body += EntryText(view, entry, enlarged);
    reply.body += FillTemplate(ListEnd, {});
    if (enlarged) {
        reply.body += FillTemplate(EnlargedPager, {{"next", next}, {"encoded", encoded}, {"keyword", shown}});
    } else {
        reply.body += FillTemplate(NormalPager, {{"page", page_text}, {"pages", pages_text}, {"next", next}});
    }
    reply.body += FillTemplate(PageFoot, {{"home", hosts.HomeHost}});
    return reply;
}

} // namespace velmora::market
