// The seller tab's start/stop button 按钮搜索卖家: the controller of every seller run.
#pragma once

#include "app/session.h"

namespace velmora {

// Click of 按钮搜索卖家. While running ("停止") it is the stop click: EndSellerRun, and the
// button stays disabled until the running collector has returned. While idle it starts a
// run: an empty keyword is refused in item-search mode; otherwise the caption becomes "停止",
// the run is reset, "开始采集数据 。。。" is logged, the hint panel and 图片框5 are shown,
// CreditFilterList is rebuilt and the collector of the chosen mode runs to its end inside
// this call. A start click while any run is still active is ignored.
void OnSellerSearchClick(Session& session);

}
