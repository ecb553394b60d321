#include "buyers/buyer_run.h"

#include "app/status_log.h"
#include "text/decimal.h"
#include "text/marker_search.h"
#include "web/online_status.h"

namespace velmora {

namespace {

constexpr int NicknameColumn = 1;
constexpr int StatusColumn = 2;
constexpr std::string_view MaskMarker = "**";

}

bool IsIdle(Form const& form, Control start_button)
{
    return form.GetText(start_button) == "开始"_gbk;
}

void ShowRunning(Form& form, Control start_button)
{
    form.SetText(start_button, "停止"_gbk);
    form.SetVisible(Control::分组框提示, true);
    form.SetVisible(Control::图片框5, true);
}

void ShowIdle(Form& form, Control start_button)
{
    form.SetText(start_button, "开始"_gbk);
    form.SetVisible(Control::图片框5, false);
}

void StopBuyerRun(Session& session, Control start_button)
{
    ShowIdle(session.form, start_button);
    session.run_gate.HoldStopped(session.form, start_button);
}

bool StopRequested(Session& session, Control start_button)
{
    if (!IsIdle(session.form, start_button))
        return false;
    StatusLog(session.form, "已经停止采集。。。"_gbk);
    return true;
}

void FinishBuyerRun(Session& session, Control start_button, Text const& end_line)
{
    StatusLog(session.form, end_line);
    StatusLog(session.form, "共采集到"_gbk + DecimalText(session.state.RowCounter - 1) + "条数据。"_gbk);
    ShowIdle(session.form, start_button);
}

BuyerOutcome ListBuyer(Session& session, Text const& nickname, LongNicknames long_nicknames)
{
    CollectionState& state = session.state;
    if (IsNameSeen(state, nickname))
        return BuyerOutcome::Duplicate;
    if (long_nicknames == LongNicknames::Skip && nickname.size() > LongestItemRatingNickname)
        return BuyerOutcome::TooLong;
    RememberName(state, nickname);
    if (ContainsMarker(nickname, MaskMarker))
        return BuyerOutcome::Masked;
    Text status = ProbeOnlineStatus(session.pump, session.endpoints, state.Codec, nickname);
    if (session.form.IsChecked(Control::选择框仅在线) && status != "在线"_gbk)
        return BuyerOutcome::NotOnline;
    int row = state.RowCounter - 1;
    session.form.InsertRow(Control::超级列表框1, row, DecimalText(state.RowCounter));
    session.form.SetCell(Control::超级列表框1, row, NicknameColumn, nickname);
    session.form.SetCell(Control::超级列表框1, row, StatusColumn, status);
    ++state.RowCounter;
    return BuyerOutcome::Listed;
}

}
