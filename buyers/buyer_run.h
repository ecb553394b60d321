// What both buyer collectors share: the run state on the start button's caption, the
// filters a nickname passes before it is listed, and the end of a run.
#pragma once

#include "app/session.h"
#include "text/gbk.h"

namespace velmora {

// The caption of an idle start button; "停止" while its run is active.
bool IsIdle(Form const& form, Control start_button);

// The start branch's look: caption "停止", the hint panel and the busy picture 图片框5 shown.
void ShowRunning(Form& form, Control start_button);

// Back to idle: caption "开始", 图片框5 hidden. The hint panel stays.
void ShowIdle(Form& form, Control start_button);

// The stop click: back to idle, and the button stays disabled until its collector, which
// notices the caption at its next page, has returned.
void StopBuyerRun(Session& session, Control start_button);

// The stop test at the start of every page: logs "已经停止采集。。。" when the user pressed the
// button again. The caption and the picture were already reset by the stop click.
bool StopRequested(Session& session, Control start_button);

// The natural end of a run: the end line, "共采集到" + k + "条数据。" and the button back to idle.
void FinishBuyerRun(Session& session, Control start_button, Text const& end_line);

enum class LongNicknames {
    Keep,
    Skip, // item ratings: a nickname of more than 20 bytes is neither listed nor remembered
};

constexpr std::size_t LongestItemRatingNickname = 20;

enum class BuyerOutcome {
    Listed,
    Duplicate, // met before in this run
    TooLong,
    Masked, // contains "**"; never probed
    NotOnline, // dropped by the online-only filter
};

// Runs one nickname through the duplicate, length and mask tests, probes its online status,
// applies the online-only filter of 选择框仅在线 and adds its row to 超级列表框1. Every
// nickname that reaches the mask test is remembered in SeenNames, listed or not.
BuyerOutcome ListBuyer(Session& session, Text const& nickname, LongNicknames long_nicknames);

}
