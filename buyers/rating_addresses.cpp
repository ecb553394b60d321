#include "buyers/rating_addresses.h"

#include "text/cut.h"
#include "text/decimal.h"
#include "text/marker_search.h"

namespace velmora {

namespace {

constexpr std::string_view PageNumberKey = "currentPage=";

}

Text ShopRatingPageAddress(Endpoints const& endpoints, std::string_view seller_user_id, std::int32_t page)
{
    Text number = DecimalText(page);
    return "http://" + endpoints.RatingHost + "/member_rate.htm?user_id=" + Text(seller_user_id)
        + "&rater=0&content=1&direction=0&identity=1&from=rate&page=" + number + "&current_page=" + number;
}

Text ItemRatingAddressFromItemPage(std::string_view page_text, Endpoints const& endpoints)
{
    Text prefix = "http://" + endpoints.RatingHost + "/detail_rate.htm?";
    auto start = FindMarker(page_text, prefix);
    if (!start)
        return {};
    return CutBetween(page_text, start, FindMarker(page_text, "\"", *start));
}

void AdvanceItemRatingAddress(Text& address, std::int32_t page)
{
    Text const from = Text(PageNumberKey) + DecimalText(page - 1);
    Text const to = Text(PageNumberKey) + DecimalText(page);
    Text result;
    std::size_t position = 0;
    while (auto found = FindMarker(address, from, position)) {
        result.append(address, position, *found - position);
        result += to;
        position = *found + from.size();
    }
    result.append(address, position, Text::npos);
    address = std::move(result);
}

}
