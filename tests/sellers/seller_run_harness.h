// A seller run against the sample marketplace: the in-memory window, a pump that can act in
// the middle of a run, a recording desktop and a session on the market's loopback hosts.
#pragma once

#include "app/click_dispatch.h"
#include "app/memory_form.h"
#include "app/session.h"
#include "market/sample_market.h"
#include "sellers/credit_level.h"
#include "text/decimal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace velmora::testing {

// An event pump without a window that runs each scripted action once, at the first
// RunPendingEvents call at which its condition holds. The collectors let events run while
// they read, so a condition on the market's request log acts at a chosen page.
class ScriptedPump final : public EventPump {
public:
    void When(std::function<bool()> condition, std::function<void()> action)
    {
        m_steps.push_back({std::move(condition), std::move(action), false});
    }

    void RunPendingEvents() override
    {
        ++m_run_count;
        for (auto& step : m_steps) {
            if (!step.done && step.condition()) {
                step.done = true;
                step.action();
            }
        }
    }

    WakeReason WaitForSignalOrEvent(CompletionSignal& signal, std::chrono::milliseconds limit) override
    {
        return signal.WaitFor(limit) ? WakeReason::Signalled : WakeReason::TimedOut;
    }

    int RunCount() const { return m_run_count; }

    bool AllDone() const
    {
        for (auto const& step : m_steps) {
            if (!step.done)
                return false;
        }
        return true;
    }

private:
    struct Step {
        std::function<bool()> condition;
        std::function<void()> action;
        bool done;
    };
    std::vector<Step> m_steps;
    int m_run_count {0};
};

inline Text StatusTextOf(market::OnlineState state)
{
    switch (state) {
    case market::OnlineState::Online:
        return "在线"_gbk;
    case market::OnlineState::Mobile:
        return "手机"_gbk;
    case market::OnlineState::Offline:
        return "离线"_gbk;
    case market::OnlineState::Unknown:
        break;
    }
    return " -  ";
}

class SellerRunTest : public ::testing::Test {
protected:
    static constexpr Control SellerList = Control::超级列表框店铺;

    void SetUp() override
    {
        auto started = market.Start();
        ASSERT_TRUE(started) << started.message;
        session = std::make_unique<Session>(form, pump, desktop, market.Endpoints());
        ChooseItemSearch();
    }

    void ChooseItemSearch()
    {
        form.SetChecked(Control::单选框宝贝搜索, true);
        form.SetChecked(Control::单选框店铺搜索, false);
    }

    void ChooseShopSearch()
    {
        form.SetChecked(Control::单选框宝贝搜索, false);
        form.SetChecked(Control::单选框店铺搜索, true);
    }

    void ClickStart() { OnClick(*session, Control::按钮搜索卖家); }

    // Types the keyword (UTF-8) and clicks the start button; returns when the run is over.
    void RunItemSearch(std::string_view keyword)
    {
        form.SetText(Control::编辑框关键字, Utf8ToGbk(keyword));
        ClickStart();
    }

    // The status log's lines, without the middle dot and the CR LF.
    std::vector<Text> LogLines() const
    {
        std::vector<Text> lines;
        Text const log = form.GetText(Control::编辑框提示);
        std::size_t begin = 0;
        while (begin < log.size()) {
            std::size_t end = log.find("\r\n", begin);
            if (end == Text::npos)
                end = log.size();
            Text line = log.substr(begin, end - begin);
            EXPECT_TRUE(line.starts_with("\xA1\xA4")) << line;
            lines.push_back(line.substr(2));
            begin = end + 2;
        }
        return lines;
    }

    std::vector<std::vector<Text>> Rows() const
    {
        std::vector<std::vector<Text>> rows;
        for (int row = 0; row < form.RowCount(SellerList); ++row)
            rows.push_back(form.Row(SellerList, row));
        return rows;
    }

    std::vector<Text> Nicknames() const
    {
        std::vector<Text> nicknames;
        for (auto const& row : Rows())
            nicknames.push_back(row.at(1));
        return nicknames;
    }

    // The entries of pages first to last of a keyword (UTF-8), as the market serves them now.
    std::vector<market::ItemEntry> EntriesOf(std::string_view keyword, int first, int last) const
    {
        std::vector<market::ItemEntry> entries;
        market::MarketView const view = market.View();
        for (int page = first; page <= last; ++page) {
            auto page_entries = view.ItemSearchPage(Utf8ToGbk(keyword), page);
            entries.insert(entries.end(), page_entries.begin(), page_entries.end());
        }
        return entries;
    }

    Text StatusOf(market::ItemEntry const& entry) const
    {
        return StatusTextOf(market.View().StateOf(entry.nickname));
    }

    // The row an entry gives; with a credit lookup, the seller's level name and date too.
    enum class Credit { NotLookedUp, LookedUp };
    std::vector<Text> RowOf(
        market::ItemEntry const& entry, int number, Credit credit = Credit::NotLookedUp) const
    {
        Text level_name;
        Text date;
        if (credit == Credit::LookedUp) {
            level_name = LevelNameFromNumber(DecimalText(entry.seller->credit_level));
            date = market.View().OpeningDateShown(*entry.seller);
        }
        return {DecimalText(number), entry.nickname, StatusOf(entry), entry.title, entry.place, level_name,
            date, entry.item_link};
    }

    std::vector<market::RecordedRequest> SearchRequests() const
    {
        return market.Requests(market::MarketHost::ItemSearch);
    }

    std::vector<std::string> SearchTargets() const
    {
        std::vector<std::string> targets;
        for (auto const& request : SearchRequests())
            targets.push_back(request.target);
        return targets;
    }

    market::SampleMarket market;
    MemoryForm form;
    ScriptedPump pump;
    RecordingDesktop desktop;
    std::unique_ptr<Session> session;
};

// The GBK encoding of the keywords the tests search for.
constexpr std::string_view DressQuery = "/search?q=%C1%AC%D2%C2%C8%B9"; // 连衣裙

}
