// A seller's credit level and shop opening date, read from the seller's credit page.
#pragma once

#include "sellers/credit_level.h"
#include "text/gbk.h"
#include "web/endpoints.h"
#include "web/event_pump.h"

#include <string_view>

namespace velmora {

struct SellerCredit {
    CreditLevel level; // row 0 when the page shows no known rank image
    Text date; // the shop's opening date as the page writes it, untrimmed; may be empty
};

// Cuts a credit page (GBK, spaces kept): the rank image name between image_host +
// "/newrank/" and ".gif", and the date between the "</span>" that follows the label 创店时间
// and the next "<". The label is looked for from the image name on, so one that stands
// before the rank image is not seen.
SellerCredit ReadCreditPage(std::string_view page, std::string_view image_host);

// Fetches the credit page at link (a GET with the default time limit) and cuts it. A page
// that cannot be fetched gives row 0 and an empty date.
SellerCredit LookupSellerCredit(EventPump& pump, Endpoints const& endpoints, std::string_view link);

}
