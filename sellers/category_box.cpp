#include "sellers/category_box.h"

#include "sellers/category_texts.h"
#include "text/marker_search.h"
#include "web/text_between.h"

namespace velmora {

namespace {

constexpr std::string_view LinkStart = "href=";

// The last "href=" (exact case) that ends at or before limit.
std::optional<std::size_t> FindLastLinkStart(std::string_view block, std::size_t limit)
{
    std::optional<std::size_t> last;
    std::size_t from = 0;
    while (auto found = FindMarker(block, LinkStart, from)) {
        if (*found + LinkStart.size() > limit)
            break;
        last = found;
        from = *found + LinkStart.size();
    }
    return last;
}

}

void FillCategoryBox(Form& form)
{
    form.ClearItems(Control::组合框类别);
    std::string_view choices = CategoryChoices();
    while (true) {
        auto blank = choices.find(' ');
        form.AddItem(Control::组合框类别, Text(choices.substr(0, blank)));
        if (blank == std::string_view::npos)
            break;
        choices.remove_prefix(blank + 1);
    }
    form.SelectItem(Control::组合框类别, 0);
}

CategoryIds FindCategoryIds(std::string_view link_block, std::string_view category_text)
{
    if (category_text == "所有类别"_gbk)
        return {};
    auto occurrence = FindMarkerIgnoringCase(link_block, category_text);
    if (!occurrence)
        return {};
    auto link_start = FindLastLinkStart(link_block, *occurrence);
    if (!link_start)
        return {};
    std::string_view link = link_block.substr(*link_start, *occurrence - *link_start);
    return {TextBetween(link, "&amp;cat=", "&"), TextBetween(link, "rootCat=", "&")};
}

void ResolveCategory(CollectionState& state, Endpoints const& endpoints, Text const& category_text)
{
    auto ids = FindCategoryIds(CategoryLinkBlock(endpoints.ShopSearchHost), category_text);
    state.CategoryId = std::move(ids.category_id);
    state.RootCategoryId = std::move(ids.root_category_id);
}

}
