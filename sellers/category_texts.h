// The shop-search categories the program carries: the names offered in 组合框类别 and the
// block of shop-search links in which their ids are looked up.
#pragma once

#include "text/gbk.h"

#include <span>
#include <string_view>

namespace velmora {

// One category: its top group (rootCat and heading), its own cat id and its name. UTF-8.
struct CategoryRow {
    std::string_view root_category_id;
    std::string_view group_heading;
    std::string_view category_id;
    std::string_view name;
};

// The 66 categories in the order of the box, group by group.
std::span<CategoryRow const> CategoryTable();

// "所有类目" and the 66 names, separated by single blanks.
Text const& CategoryChoices();

// The 12 groups of category links, each link an address of the shop search on
// shop_search_host carrying the category's rootCat and cat.
Text CategoryLinkBlock(std::string_view shop_search_host);

}
