#include "sellers/seller_credit.h"

#include "text/cut.h"
#include "text/marker_search.h"

namespace velmora {

namespace {

constexpr std::string_view RankImageFolder = "/newrank/";
constexpr std::string_view RankImageEnd = ".gif";
constexpr std::string_view DateEnd = "<";

Text const& DateLabel()
{
    return "创店时间"_gbk;
}
constexpr std::string_view DateLabelEnd = "</span>";

}

SellerCredit ReadCreditPage(std::string_view page, std::string_view image_host)
{
    Text const image_marker = Text(image_host) + Text(RankImageFolder);
    std::size_t date_search_from = 0;
    CreditLevel const* level = &CreditLevels()[0];
    if (auto marker = FindMarker(page, image_marker)) {
        std::size_t name_begin = *marker + image_marker.size();
        date_search_from = name_begin;
        Text name = CutBetween(page, name_begin, FindMarker(page, RankImageEnd, name_begin));
        level = &LevelFromRankImage(name);
    }

    Text date;
    if (auto label = FindMarker(page, DateLabel(), date_search_from)) {
        if (auto label_end = FindMarker(page, DateLabelEnd, *label)) {
            std::size_t date_begin = *label_end + DateLabelEnd.size();
            date = CutBetween(page, date_begin, FindMarker(page, DateEnd, date_begin));
        }
    }
    return {*level, std::move(date)};
}

}
