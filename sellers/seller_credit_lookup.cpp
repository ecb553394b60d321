#include "sellers/seller_credit.h"

#include "web/fetch_page.h"

namespace velmora {

SellerCredit LookupSellerCredit(EventPump& pump, Endpoints const& endpoints, std::string_view link)
{
    return ReadCreditPage(FetchPage(pump, link), endpoints.ImageHost);
}

}
