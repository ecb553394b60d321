#include "buyers/item_buyers.h"

#include "app/reset_run.h"
#include "app/status_log.h"
#include "buyers/buyer_run.h"
#include "buyers/nickname_scanner.h"
#include "buyers/rating_addresses.h"
#include "text/decimal.h"
#include "text/spaces.h"
#include "web/read_url.h"

namespace velmora {

namespace {

constexpr Control StartButton = ItemBuyersStartButton;

}

void StartOrStopItemBuyers(Session& session)
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
    Text item_address = form.GetText(Control::编辑框宝贝地址);
    Text item_page = RemoveSpaces(ReadUrl(session.pump, item_address));
    session.state.CurrentUrl = ItemRatingAddressFromItemPage(item_page, session.endpoints);
    StatusLog(form, "开始采集数据 。。。"_gbk);
    CollectItemRatingPages(session);
}

void CollectItemRatingPages(Session& session)
{
    CollectionState& state = session.state;
    while (!StopRequested(session, StartButton)) {
        if (state.CurrentPage > 1)
            AdvanceItemRatingAddress(state.CurrentUrl, state.CurrentPage);
        Text page = RemoveSpaces(ReadUrl(session.pump, state.CurrentUrl));
        StatusLog(session.form, "正在采集第"_gbk + DecimalText(state.CurrentPage) + "页。。。"_gbk);
        NicknameScanner scanner(page, NicknameEnd::BeforeQuote, ItemRatingCutLimit);
        while (auto nickname = scanner.Next())
            ListBuyer(session, *nickname, LongNicknames::Skip);
        // A page that runs out of nickname markers is the last one.
        bool last_page = scanner.End() == ScanEnd::MarkerRanOut;
        if (last_page || state.CurrentPage >= LastItemRatingPage) {
            FinishBuyerRun(session, StartButton, "数据采集完毕 。。。"_gbk);
            return;
        }
        ++state.CurrentPage;
    }
}

}
