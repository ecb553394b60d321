#include "market/rating_pages.h"

#include "market/page_template.h"
#include "text/decimal.h"

#include <array>

namespace velmora::market {

namespace {

constexpr int DaysInDecember = 31;
constexpr int FirstRatingId = 10734;

std::array<char const*, 6> const RatingWords = {
    "好评！质量很好，和描述的一样。",
    "物流很快，包装仔细，下次还来。",
    "宝贝收到了，性价比高，推荐。",
    "颜色和图片一致，尺码标准。",
    "卖家服务态度好，有问必答。",
    "一般般吧，还可以。",
};

std::array<char const*, 4> const SkuWords = {"黑色", "红色", "米白色", "藏青色"};

// One rating of a seller's list. The nickname is followed by a quote and a comma: the
// collector takes the text up to the byte before the comma.
constexpr std::string_view SellerComment
    = R"({"auction":{"title":"{{title}}","link":"{{link}}"},"content":"{{content}}","date":"2011.12.{{day}}","rate":"好评","user":{"nick":"","displayUserNick":"{{nickname}}","rank":{{rank}},"vipLevel":0}})";

constexpr std::string_view SellerList
    = R"(jsonp_reviews_list({"watershed":100,"maxPage":{{pages}},"comments":[{{comments}}],"currentPageNum":{{page}}}))";

constexpr std::string_view ItemRate
    = R"({"id":{{id}},"displayUserNick":"{{nickname}}","displayUserRateLevel":{{rank}},"rateContent":"{{content}}","rateDate":"2011-12-{{day}}","auctionSku":"颜色分类:{{sku}}"})";

constexpr std::string_view ItemRateList
    = R"(jsonp_detail_rate({"rateDetail":{"rateCount":{"total":{{total}}},"paginator":{"items":{{total}},"lastPage":{{pages}},"page":{{page}}},"rateList":[{{rates}}]}}))";

constexpr std::string_view ItemPageText
    = R"(<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Transitional//EN" "http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd">
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=gbk" />
<title>{{title}}-淘宝网</title>
<script type="text/javascript">var g_config = {itemId:"{{id}}", sellerId:"{{user_id}}", rateListApi:"{{rating}}", rateCount:{{count}}};</script>
</head>
<body>
<div class="tb-detail-hd"><h3>{{title}}</h3></div>
<ul class="tb-meta">
<li>价格：<em class="tb-price">{{price}}</em> 元</li>
<li>所在地：{{place}}</li>
<li>累计评价：{{count}}</li>
</ul>
<div class="tb-shop">掌柜：<a href="{{seller_link}}" target="_blank">{{nickname}}</a> <a href="{{shop}}" target="_blank">进入店铺</a></div>
<div id="reviews"><h4>评价详情</h4><p>评价加载中……</p></div>
</body>
</html>
)";

constexpr int LowestPrice = 39;
constexpr int PriceSpread = 400;
constexpr int PriceStep = 37;
constexpr int BuyerRanks = 6;

// Ratings run back through December, newest first, two digits a day.
Text Day(int number)
{
    Text day = DecimalText(DaysInDecember - number % DaysInDecember);
    return day.size() == 1 ? "0" + day : day;
}

} // namespace

PageReply SellerRatingPage(MarketView const& view, RequestTarget const& target)
{
    Seller const* seller = view.Data().SellerByUserId(target.ValueOr("user_id", ""));
    int page = target.Has("current_page") ? target.Number("current_page", 1) : target.Number("page", 1);
    int const pages = seller ? view.SellerRatingPageCount(*seller) : 0;
    if (page < 1 || page > pages)
        page = 1;
    Text comments;
    if (seller) {
        int const first = (page - 1) * view.Switches().seller_rating_page_size;
        int number = first;
        auto const& items = view.Data().Listings();
        for (auto const& nickname : view.SellerRatingPage(*seller, page)) {
            Item const item = view.Data().ItemAt(items[number % items.size()], number);
            if (!comments.empty())
                comments += ",";
            comments += FillTemplate(SellerComment,
                {
                    {"title", item.title},
                    {"link", view.ItemLink(item)},
                    {"content", Utf8ToGbk(RatingWords[number % RatingWords.size()])},
                    {"day", Day(number)},
                    {"nickname", nickname},
                    {"rank", DecimalText(number % BuyerRanks)},
                });
            ++number;
        }
    }
    PageReply reply;
    reply.body = FillTemplate(
        SellerList, {{"pages", DecimalText(pages)}, {"comments", comments}, {"page", DecimalText(page)}});
    return reply;
}

PageReply ItemPage(MarketView const& view, RequestTarget const& target)
{
    auto const item = view.FindItem(target.ValueOr("id", ""));
    if (!item)
        return NotFoundPage();
    Seller const& seller = view.Data().Sellers()[item->seller];
    Text const rating = view.ItemRatingAddress(*item);
    Text const price = DecimalText(LowestPrice + (item->index * PriceStep) % PriceSpread) + ".00";
    Text const seller_link = view.SellerLink(seller);
    Text const shop = view.ShopAddress(seller);
    PageReply reply;
    reply.body = FillTemplate(ItemPageText,
        {
            {"title", item->title},
            {"id", item->id},
            {"user_id", seller.user_id},
            {"rating", rating},
            {"count", DecimalText(view.ItemRatingCount(*item))},
            {"price", price},
            {"place", seller.place},
            {"seller_link", seller_link},
            {"nickname", seller.nickname},
            {"shop", shop},
        });
    return reply;
}

PageReply ItemRatingPage(MarketView const& view, RequestTarget const& target)
{
    auto const item = view.FindItem(target.ValueOr("auctionNumId", ""));
    int const page = target.Number("currentPage", 1);
    int const total = item ? view.ItemRatingCount(*item) : 0;
    int const pages = item ? view.ItemRatingPageCount(*item) : 0;
    Text rates;
    if (item) {
        int number = (page - 1) * view.Switches().item_rating_page_size;
        for (auto const& nickname : view.ItemRatingPage(*item, page)) {
            if (!rates.empty())
                rates += ",";
            rates += FillTemplate(ItemRate,
                {
                    {"id", DecimalText(FirstRatingId + number)},
                    {"nickname", nickname},
                    {"rank", DecimalText(number % BuyerRanks)},
                    {"content", Utf8ToGbk(RatingWords[number % RatingWords.size()])},
                    {"day", Day(number)},
                    {"sku", Utf8ToGbk(SkuWords[number % SkuWords.size()])},
                });
            ++number;
        }
    }
    PageReply reply;
    reply.body = FillTemplate(ItemRateList,
        {{"total", DecimalText(total)}, {"pages", DecimalText(pages)}, {"page", DecimalText(page)},
            {"rates", rates}});
    return reply;
}

} // namespace velmora::market
