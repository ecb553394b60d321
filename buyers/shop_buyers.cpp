#include "buyers/shop_buyers.h"

#include "app/reset_run.h"
#include "app/status_log.h"
#include "buyers/buyer_run.h"
#include "buyers/nickname_scanner.h"
#include "buyers/rating_addresses.h"
#include "buyers/seller_user_id.h"
#include "text/decimal.h"
#include "text/marker_search.h"
#include "text/spaces.h"
#include "web/fetch_page.h"
#include "web/read_url.h"

namespace velmora {

namespace {

constexpr Control StartButton = ShopBuyersStartButton;
constexpr std::string_view FirstPageMarker = "currentPageNum\":1}";

Text const& EndLine()
{
    return "采集结束。。。"_gbk;
}

}

bool IsReportedAsFirstPage(std::string_view page_text)
{
    return ContainsMarker(page_text, FirstPageMarker);
}

SellerIdResult FindSellerUserId(Session& session, Text const& shop_address)
{
    Text page = RemoveSpaces(FetchPage(session.pump, shop_address));
    session.state.SellerUserId = SellerUserIdFromShopPage(page);
    return IsUsableSellerUserId(session.state.SellerUserId) ? SellerIdResult::Found : SellerIdResult::Missing;
}

void StartOrStopShopBuyers(Session& session)
{
    Form& form = session.form;
    if (!IsIdle(form, StartButton)) {
        StopBuyerRun(session, StartButton);
        return;
    }
    if (!session.run_gate.TryBegin(form, StartButton))
        return;
    RunScope run(session.run_gate, form);
    ShowRunning(form, StartButton);
    ResetRun(form, session.state);
    StatusLog(form, "开始采集数据 。。。"_gbk);
    if (FindSellerUserId(session, form.GetText(Control::编辑框店铺地址)) == SellerIdResult::Missing) {
        // Without the id every rating address would be broken; end as a run without buyers.
        StatusLog(form, "找不到卖家ID。。。"_gbk);
        FinishBuyerRun(session, StartButton, EndLine());
        return;
    }
    CollectRatingPages(session);
}

void CollectRatingPages(Session& session)
{
    CollectionState& state = session.state;
    while (!StopRequested(session, StartButton)) {
        state.CurrentUrl = ShopRatingPageAddress(session.endpoints, state.SellerUserId, state.CurrentPage);
        Text page = RemoveSpaces(ReadUrl(session.pump, state.CurrentUrl));
        // Page 1 is always scanned; the marker only tells that a later page does not exist.
        if (state.CurrentPage > 1 && IsReportedAsFirstPage(page)) {
            FinishBuyerRun(session, StartButton, EndLine());
            return;
        }
        StatusLog(session.form, "正在采集第"_gbk + DecimalText(state.CurrentPage) + "页。。。"_gbk);
        NicknameScanner scanner(page, NicknameEnd::BeforeCommaLessOne, ShopRatingCutLimit);
        while (auto nickname = scanner.Next())
            ListBuyer(session, *nickname, LongNicknames::Keep);
        ++state.CurrentPage;
    }
}

}
