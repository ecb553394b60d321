#include "sellers/shop_search.h"

#include "app/status_log.h"
#include "sellers/credit_filter.h"
#include "sellers/credit_level.h"
#include "sellers/date_window.h"
#include "sellers/item_search_entry.h"
#include "sellers/seller_run.h"
#include "sellers/shop_search_page.h"
#include "text/cut.h"
#include "text/decimal.h"
#include "text/marker_search.h"
#include "text/spaces.h"
#include "web/fetch_page.h"
#include "web/online_status.h"
#include "web/read_url.h"

#include <limits>

namespace velmora {

namespace {

// Column 3 shows the shop address without its scheme "http://".
constexpr std::int64_t ShownAddressOffset = 7;

// The seller tab's tests of one shop entry, in the order the scan meets the entries.
class ShopRowLister final : public ShopEntryHandler {
public:
    explicit ShopRowLister(Session& session)
        : m_session(session)
    {
    }

    bool PassesOverMallShop() override { return m_session.form.IsChecked(Control::选择框过滤商城用户); }

    void Take(ShopEntry const& entry) override
    {
        Form& form = m_session.form;
        CollectionState& state = m_session.state;

        Text const wanted_location = form.GetText(Control::编辑框所在地);
        if (!wanted_location.empty()
            && (entry.location.empty() || !ContainsMarker(entry.location, wanted_location)))
            return;

        // Column 2 always shows the status, so every shop that got this far is probed.
        Text status = ProbeOnlineStatus(m_session.pump, m_session.endpoints, state.Codec, entry.nickname);
        if (form.IsChecked(Control::选择框仅在线) && status != "在线"_gbk)
            return;

        SellerRow row {entry.nickname, std::move(status),
            Cut(entry.shop_address, ShownAddressOffset, std::numeric_limits<std::int64_t>::max()),
            entry.location, {}, {}, {}};

        if (form.IsChecked(Control::选择框显示信誉)) {
            if (!PassesCreditFilter(state, entry.credit_value))
                return;
            row.level_name = LevelNameFromNumber(entry.credit_value);
        }

        if (form.IsChecked(Control::选择框创店时间) || form.IsChecked(Control::选择框过滤商城用户)) {
            Text date = FetchShopOpeningDate(m_session.pump, entry.shop_address);
            // A mall shop's page shows no opening date.
            if (form.IsChecked(Control::选择框过滤商城用户) && date.empty())
                return;
            if (form.IsChecked(Control::选择框创店时间)) {
                // An empty date is shown empty, never tested against the window.
                if (!date.empty() && !PassesDateWindow(form, date))
                    return;
                row.date = std::move(date);
            }
        }
        AddSellerRow(form, state, row);
    }

private:
    Session& m_session;
};

}

void ScanShopEntries(Session& session, std::string_view region, MallIconSwitch mall_icons)
{
    ShopRowLister lister(session);
    ScanShopEntries(region, session.endpoints.RatingHost, mall_icons, lister);
}

Text FetchShopOpeningDate(EventPump& pump, std::string_view shop_address)
{
    // An entry whose link could not be cut has no page to read.
    if (shop_address.empty())
        return {};
    return ReadShopOpeningDate(RemoveSpaces(FetchPage(pump, shop_address)));
}

void CollectShopFirstPage(Session& session)
{
    Form& form = session.form;
    CollectionState& state = session.state;

    state.CurrentUrl = ShopFirstPageUrl(form, state, session.endpoints);
    Text const page
        = RemoveSpaces(FetchPage(session.pump, state.CurrentUrl + form.GetText(Control::编辑框起始页)));

    state.PageCount = ShopPageCount(page);
    StatusLog(form, "可以采集"_gbk + DecimalText(state.PageCount) + "页"_gbk);
    StatusLog(form, "正在采集第1页。。。"_gbk);
    ScanShopEntries(session, ShopTableRegion(page), MallIconSwitch::Off);

    if (state.PageCount <= 1) {
        FinishSellerRun(form, state);
        return;
    }
    state.CurrentPage = 1;
    BuildShopNextPageUrl(session);
    CollectShopNextPage(session);
}

void BuildShopNextPageUrl(Session& session)
{
    ++session.state.CurrentPage;
    session.state.CurrentUrl
        = ShopNextPageUrl(session.form, session.state.Codec, session.endpoints, session.state.CurrentPage);
}

void CollectShopNextPage(Session& session)
{
    Form& form = session.form;
    CollectionState& state = session.state;
    for (;;) {
        if (StopIfRequested(form))
            return;
        StatusLog(form, "正在采集第"_gbk + DecimalText(state.CurrentPage) + "页。。。"_gbk);
        Text const page = RemoveSpaces(ReadUrl(session.pump, state.CurrentUrl));
        ScanShopEntries(session, ShopTableRegion(page), MallIconSwitch::On);

        if (state.CurrentPage < state.PageCount && state.CurrentPage < ReadEndPage(form)) {
            BuildShopNextPageUrl(session);
            continue;
        }
        FinishSellerRun(form, state);
        return;
    }
}

}
