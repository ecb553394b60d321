#include "sellers/shop_search_page.h"

#include "text/cut.h"
#include "text/decimal.h"
#include "text/marker_search.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace velmora {

namespace {

Text const& TableStart()
{
    return "表格内容循环开始"_gbk;
}
Text const& TableEnd()
{
    return "表格内容循环结束"_gbk;
}
Text const& PageCountStart()
{
    return "共"_gbk;
}
Text const& PageCountEnd()
{
    return "页"_gbk;
}
Text const& OpeningDateLabel()
{
    return "创店时间"_gbk;
}

constexpr std::string_view LabelEnd = "</span>";
constexpr std::string_view DateEnd = "<";
// A date the shop page writes holds the century; any other text there is no date.
constexpr std::string_view DateMark = "20";

// The name boxes and what each adds to an address, in the order they are appended.
struct NameBox {
    Control box;
    std::string_view parameter;
};
constexpr NameBox NameBoxes[] = {
    {Control::选择框店铺名, "&title=title"},
    {Control::选择框掌柜名, "&nick=nick"},
    {Control::选择框宝贝名, "&tag=tag"},
};

void AppendNameBoxes(Form const& form, Text& url)
{
    for (auto const& name_box : NameBoxes) {
        if (form.IsChecked(name_box.box))
            url += name_box.parameter;
    }
}

}

std::string_view ShopTableRegion(std::string_view page)
{
    return BlockBetween(page, TableStart(), TableEnd());
}

std::int32_t ShopPageCount(std::string_view page)
{
    std::size_t table_end = 0;
    auto start = FindMarker(page, TableStart());
    if (auto end = FindMarker(page, TableEnd(), start.value_or(0)))
        table_end = *end;
    auto count_start = FindMarker(page, PageCountStart(), table_end);
    if (!count_start)
        return 0;
    std::size_t const number_begin = *count_start + PageCountStart().size();
    auto count_end = FindMarker(page, PageCountEnd(), number_begin);
    std::int64_t const count = ReadLeadingInteger(CutBetween(page, number_begin, count_end));
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        count, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

Text ReadShopOpeningDate(std::string_view shop_page)
{
    auto label = FindMarker(shop_page, OpeningDateLabel());
    if (!label)
        return {};
    auto label_end = FindMarker(shop_page, LabelEnd, *label);
    if (!label_end)
        return {};
    std::size_t const begin = *label_end + LabelEnd.size();
    Text date = CutBetween(shop_page, begin, FindMarker(shop_page, DateEnd, begin));
    if (!ContainsMarker(date, DateMark))
        return {};
    return date;
}

Text ShopFirstPageUrl(Form const& form, CollectionState const& state, Endpoints const& endpoints)
{
    Text url = "http://" + endpoints.ShopSearchHost
        + "/browse/shop_search.htm?shopf=newsearch&stat=5&cattype=1&q="
        + state.Codec.EncodeGbk(form.GetText(Control::编辑框关键字)) + "&cat=" + state.CategoryId
        + "&catName=" + state.Codec.EncodeGbk(form.GetText(Control::组合框类别))
        + "&rootCat=" + state.RootCategoryId;
    AppendNameBoxes(form, url);
    url += "&tab=";
    return url;
}

Text ShopNextPageUrl(Form const& form, UrlCodec const& codec, Endpoints const& endpoints, int page)
{
    std::int64_t const offset = (static_cast<std::int64_t>(page) - 1) * ShopResultsPerPage;
    Text url = "http://" + endpoints.ShopSearchHost
        + "/browse/shop_search.htm?cattype=1&tab=3&title=title&shopf=newsearch&s=" + DecimalText(offset)
        + "&nick=nick&q=" + codec.EncodeGbk(form.GetText(Control::编辑框关键字))
        + "&catName=" + codec.EncodeGbk(form.GetText(Control::组合框类别)) + "&stat=4";
    AppendNameBoxes(form, url);
    return url;
}

}
