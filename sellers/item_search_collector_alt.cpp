#include "sellers/item_search_collector.h"

#include "app/status_log.h"
#include "sellers/item_entry.h"
#include "sellers/item_search_entry.h"
#include "sellers/item_search_page.h"
#include "sellers/seller_run.h"
#include "text/decimal.h"
#include "text/marker_search.h"
#include "text/spaces.h"
#include "web/fetch_page.h"

namespace velmora {

namespace {

// Mall shops carry the mall's host name inside their entry's links.
bool IsDroppedMallEntry(Session const& session, std::string_view entry_text)
{
    return ContainsMarker(entry_text, session.endpoints.MallHost)
        && session.form.IsChecked(Control::选择框过滤商城用户);
}

}

void CollectItemSearchPagesAlt(Session& session)
{
    Form& form = session.form;
    CollectionState& state = session.state;
    for (;;) {
        if (StopIfRequested(form))
            return;

        state.CurrentUrl = ItemSearchPageUrl(
            session.endpoints, state.Codec, form.GetText(Control::编辑框关键字), state.CurrentPage);
        Text const page = RemoveSpaces(FetchPage(session.pump, state.CurrentUrl));
        std::string_view const block = ResultBlock(page);

        if (state.PageCount == 0) {
            state.PageCount = ResultPageCount(block);
            StatusLog(form, "可以采集"_gbk + DecimalText(state.PageCount) + "页"_gbk);
        }
        StatusLog(form, "正在采集第"_gbk + DecimalText(state.CurrentPage) + "页。。。"_gbk);

        ItemEntryScanner scanner(block);
        while (auto entry_text = scanner.Next()) {
            // Before the cut and the duplicate test: a dropped mall seller is not remembered.
            if (IsDroppedMallEntry(session, *entry_text))
                continue;
            ItemEntry const entry = CutEnlargedItemEntry(*entry_text);
            if (entry.nickname.empty())
                break;
            ListItemEntry(session, entry);
        }

        if (!MoveToNextItemPage(session))
            return;
    }
}

}
