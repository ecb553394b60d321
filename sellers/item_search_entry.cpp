#include "sellers/item_search_entry.h"

#include "sellers/credit_filter.h"
#include "sellers/date_window.h"
#include "sellers/seller_credit.h"
#include "sellers/seller_run.h"
#include "text/decimal.h"
#include "text/spaces.h"
#include "web/online_status.h"

#include <algorithm>
#include <limits>

namespace velmora {

void ListItemEntry(Session& session, ItemEntry const& entry)
{
    Form& form = session.form;
    CollectionState& state = session.state;

    if (form.IsChecked(Control::选择框去重复)) {
        if (IsNameSeen(state, entry.nickname))
            return;
        RememberName(state, entry.nickname);
    }

    // Column 2 always shows the status, so every seller who got this far is probed.
    Text status = ProbeOnlineStatus(session.pump, session.endpoints, state.Codec, entry.nickname);
    if (form.IsChecked(Control::选择框仅在线) && status != "在线"_gbk)
        return;

    SellerRow row {entry.nickname, std::move(status), entry.title, entry.location, {}, {}, entry.item_link};
    if (form.IsChecked(Control::选择框创店时间) || form.IsChecked(Control::选择框显示信誉)) {
        SellerCredit credit = LookupSellerCredit(session.pump, session.endpoints, entry.seller_link);
        if (form.IsChecked(Control::选择框显示信誉)
            && !PassesCreditFilter(state, DecimalText(credit.level.number)))
            return;
        if (form.IsChecked(Control::选择框创店时间) && !PassesDateWindow(form, credit.date))
            return;
        row.level_name = credit.level.name;
        row.date = std::move(credit.date);
    }
    AddSellerRow(form, state, row);
}

int ReadEndPage(Form const& form)
{
    std::int64_t end_page = ReadLeadingInteger(TrimSpaces(form.GetText(Control::编辑框结束页)));
    return static_cast<int>(
        std::clamp<std::int64_t>(end_page, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

bool MoveToNextItemPage(Session& session)
{
    CollectionState& state = session.state;
    if (state.CurrentPage < state.PageCount && state.CurrentPage < ReadEndPage(session.form)) {
        ++state.CurrentPage;
        return true;
    }
    FinishSellerRun(session.form, state);
    return false;
}

}
