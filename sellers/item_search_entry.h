// What both item search collectors do with one item entry and at the end of a page.
#pragma once

#include "app/session.h"
#include "sellers/item_entry.h"

namespace velmora {

// The tests of one entry, in order: the duplicate test while 选择框去重复 is checked (a new
// seller is remembered even when a later test drops the row), the status probe, the online
// test while 选择框仅在线 is checked, and, while 选择框创店时间 or 选择框显示信誉 is checked,
// the credit lookup with the credit filter (显示信誉) and the date window (创店时间). A seller
// who passes becomes the next row.
void ListItemEntry(Session& session, ItemEntry const& entry);

// After a page: moves on to the next page while the current page is below both the page
// count and the end page in 编辑框结束页 (true); otherwise logs the end lines and ends the run.
bool MoveToNextItemPage(Session& session);

// The end page typed in 编辑框结束页; 0 when it is no number.
int ReadEndPage(Form const& form);

}
