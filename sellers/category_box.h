// The category box 组合框类别: filled once at creation, and its text turned into the two ids
// of the shop search when a shop search starts.
#pragma once

#include "app/collection_state.h"
#include "app/form.h"
#include "text/gbk.h"
#include "web/endpoints.h"

#include <string_view>

namespace velmora {

// Replaces the box's entries with the 67 pieces of CategoryChoices and selects the first,
// "所有类目".
void FillCategoryBox(Form& form);

struct CategoryIds {
    Text category_id; // cat
    Text root_category_id; // rootCat
    friend bool operator==(CategoryIds const&, CategoryIds const&) = default;
};

// The ids of the link in which category_text first occurs in link_block (ASCII letters
// compared without regard to case). Both are empty for "所有类别", for a text that is not in
// the block, and for a text that first occurs outside a category link (a group heading).
CategoryIds FindCategoryIds(std::string_view link_block, std::string_view category_text);

// Sets CategoryId and RootCategoryId from the text of the category box.
void ResolveCategory(CollectionState& state, Endpoints const& endpoints, Text const& category_text);

}
