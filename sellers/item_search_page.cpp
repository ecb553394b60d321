#include "sellers/item_search_page.h"

#include "text/cut.h"
#include "text/decimal.h"
#include "text/marker_search.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace velmora {

namespace {

constexpr std::string_view ListBlockStart = "list-view";
constexpr std::string_view ListBlockEnd = "endlistview";
constexpr std::string_view EnlargedLayoutMarker = "list-view-enlarge-4pic";
constexpr std::string_view PageNumberSeparator = "&s=";
constexpr std::string_view LaterPageFragment = "#J_FilterTabBar";

Text const& ResultBlockStart()
{
    return "的用户喜欢"_gbk;
}
Text const& ResultBlockEnd()
{
    return "你是不是想找"_gbk;
}
Text const& PageCountStart()
{
    return "共"_gbk;
}
Text const& PageCountEnd()
{
    return "页"_gbk;
}

// The number between 共 and the 页 after it; the number begins right after the two bytes of
// 共.
std::int32_t PageCountFrom(std::string_view text, std::size_t from)
{
    auto start = FindMarker(text, PageCountStart(), from);
    if (!start)
        return 0;
    std::size_t number_begin = *start + PageCountStart().size();
    auto end = FindMarker(text, PageCountEnd(), number_begin);
    if (!end)
        return 0;
    std::int64_t count = ReadLeadingInteger(CutBetween(text, number_begin, end));
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        count, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}

Text ItemSearchPageUrl(Endpoints const& endpoints, UrlCodec const& codec, std::string_view keyword, int page)
{
    Text url = "http://" + endpoints.ItemSearchHost + "/search?q=" + codec.EncodeGbk(keyword);
    if (page >= 2) {
        url += PageNumberSeparator;
        url += DecimalText(static_cast<std::int64_t>(page - 1) * ItemsPerSearchPage);
        url += LaterPageFragment;
    }
    return url;
}

std::string_view ListBlock(std::string_view page)
{
    return BlockBetween(page, ListBlockStart, ListBlockEnd);
}

bool IsEnlargedLayout(std::string_view list_block)
{
    return ContainsMarker(list_block, EnlargedLayoutMarker);
}

std::int32_t ListPageCount(std::string_view page)
{
    std::optional<std::size_t> block_end;
    if (auto start = FindMarker(page, ListBlockStart))
        block_end = FindMarker(page, ListBlockEnd, *start);
    return PageCountFrom(page, block_end.value_or(0));
}

std::string_view ResultBlock(std::string_view page)
{
    return BlockBetween(page, ResultBlockStart(), ResultBlockEnd());
}

std::int32_t ResultPageCount(std::string_view result_block)
{
    return PageCountFrom(result_block, 0);
}

}
