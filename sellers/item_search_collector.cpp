#include "sellers/item_search_collector.h"

#include "app/status_log.h"
#include "sellers/item_entry.h"
#include "sellers/item_search_entry.h"
#include "sellers/item_search_page.h"
#include "sellers/seller_run.h"
#include "text/decimal.h"
#include "text/spaces.h"
#include "web/read_url.h"

namespace velmora {

void CollectItemSearchPages(Session& session)
{
    Form& form = session.form;
    CollectionState& state = session.state;
    for (;;) {
        if (StopIfRequested(form))
            return;

        state.CurrentUrl = ItemSearchPageUrl(
            session.endpoints, state.Codec, form.GetText(Control::编辑框关键字), state.CurrentPage);
        Text const page = RemoveSpaces(ReadUrl(session.pump, state.CurrentUrl));
        std::string_view const block = ListBlock(page);

        // Only page 1 decides the layout of the whole run.
        if (state.CurrentPage == 1 && IsEnlargedLayout(block)) {
            StatusLog(form, "采集失败，更换方法。。。"_gbk);
            CollectItemSearchPagesAlt(session);
            return;
        }

        if (state.PageCount == 0) {
            state.PageCount = ListPageCount(page);
            StatusLog(form, "可以采集"_gbk + DecimalText(state.PageCount) + "页   每页40"_gbk);
        }
        StatusLog(form, "正在采集第"_gbk + DecimalText(state.CurrentPage) + "页。。。"_gbk);

        ItemEntryScanner scanner(block);
        while (auto entry_text = scanner.Next()) {
            ItemEntry const entry = CutListItemEntry(*entry_text);
            if (entry.nickname.empty())
                break;
            ListItemEntry(session, entry);
        }

        if (!MoveToNextItemPage(session))
            return;
    }
}

}
