// The seller tab's run: its state is the caption of 按钮搜索卖家 ("开始" idle, "停止" running),
// and every seller collector writes its rows and end lines the same way.
#pragma once

#include "app/collection_state.h"
#include "app/form.h"

namespace velmora {

// The cells of one seller row, columns 1 to 7.
struct SellerRow {
    Text nickname; // 1 卖家ID
    Text status; // 2 状态
    Text title_or_shop; // 3 宝贝标题 (item search) or 店铺地址 (shop search)
    Text location; // 4 所在地
    Text level_name; // 5 信用值
    Text date; // 6 开店时间
    Text item_link; // 7 宝贝地址
};

// Whether the caption reads "开始" at a page boundary: the user stopped the run.
bool IsSellerRunStopped(Form const& form);

// The page boundary's stop test: logs "已经停止采集。。。" when the run was stopped.
bool StopIfRequested(Form& form);

// Inserts the row at index RowCounter − 1 with RowCounter in column 0, then increments
// RowCounter.
void AddSellerRow(Form& form, CollectionState& state, SellerRow const& row);

// The natural end of a seller run: "数据采集完毕 。。。", "共采集到" + (RowCounter − 1) +
// "条数据。", then EndSellerRun.
void FinishSellerRun(Form& form, CollectionState const& state);

// Back to idle: the caption "开始" and 图片框5 hidden. The hint panel stays and nothing is
// logged. The stop click and the collectors' natural end both come here.
void EndSellerRun(Form& form);

}
