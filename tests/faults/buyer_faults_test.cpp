// Buyer runs whose second rating page goes wrong. A seller's ratings go on with the next
// page after a page that gave nothing; an item's ratings end there, as after a last page.
#include "fault_cases.h"

#include "app/click_dispatch.h"
#include "app/memory_form.h"
#include "app/session.h"
#include "market/sample_market.h"
#include "support/test_pump.h"
#include "text/decimal.h"
#include "text/marker_search.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace velmora {
namespace {

using market::MarketHost;

enum class Lengths { Any, AtMost20Bytes };

// The nicknames a run lists from the names its pages carried: the first occurrence of each,
// without masked names, and without names over 20 bytes where those are skipped.
std::vector<Text> Listed(std::vector<Text> const& met, Lengths lengths)
{
    std::vector<Text> listed;
    std::set<Text> seen;
    for (auto const& nickname : met) {
        if (seen.contains(nickname) || (lengths == Lengths::AtMost20Bytes && nickname.size() > 20))
            continue;
        seen.insert(nickname);
        if (!ContainsMarker(nickname, "**"))
            listed.push_back(nickname);
    }
    return listed;
}

class BuyerFaults : public ::testing::TestWithParam<testing::FaultCase> {
protected:
    void SetUp() override
    {
        auto started = market.Start();
        ASSERT_TRUE(started) << started.message;
        session = std::make_unique<Session>(form, pump, desktop, market.Endpoints());
        form.SetCurrentTab(1);
    }

    std::vector<Text> Nicknames() const
    {
        std::vector<Text> nicknames;
        for (int row = 0; row < form.RowCount(Control::超级列表框1); ++row) {
            auto const cells = form.Row(Control::超级列表框1, row);
            EXPECT_EQ(cells.at(0), DecimalText(row + 1));
            nicknames.push_back(cells.at(1));
        }
        return nicknames;
    }

    std::vector<Text> LogLines() const
    {
        std::vector<Text> lines;
        Text const log = form.GetText(Control::编辑框提示);
        for (std::size_t begin = 0; begin < log.size();) {
            std::size_t end = log.find("\r\n", begin);
            if (end == Text::npos)
                end = log.size();
            lines.push_back(log.substr(begin + 2, end - begin - 2));
            begin = end + 2;
        }
        return lines;
    }

    std::vector<Text> SellerPage(int page) const
    {
        return market.View().SellerRatingPage(market.Data().ExampleShopSeller(), page);
    }

    // The first 15 nicknames of an item rating page: what the scan cuts.
    std::vector<Text> ItemPage(int page) const
    {
        auto all = market.View().ItemRatingPage(market.Data().ExampleItem(), page);
        all.resize(std::min<std::size_t>(all.size(), 15));
        return all;
    }

    static Text PageLine(int page) { return "正在采集第"_gbk + DecimalText(page) + "页。。。"_gbk; }
    static Text CountLine(std::size_t count)
    {
        return "共采集到"_gbk + DecimalText(static_cast<std::int64_t>(count)) + "条数据。"_gbk;
    }

    market::SampleMarket market;
    MemoryForm form;
    testing::TestPump pump;
    RecordingDesktop desktop;
    std::unique_ptr<Session> session;
};

template<typename T> std::vector<T> Joined(std::vector<T> a, std::vector<T> const& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class ShopRatingFaults : public BuyerFaults { };

TEST_P(ShopRatingFaults, PageThatGaveNothingIsPassedAndTheRunGoesOn)
{
    testing::FaultCase const& fault = GetParam();
    ASSERT_EQ(market.View().SellerRatingPageCount(market.Data().ExampleShopSeller()), 3);
    market.Configure([&](market::Scenario& s) {
        fault.apply(s, MarketHost::Rating);
        s.faults_only_for[MarketHost::Rating] = "&page=2&";
    });
    form.SetText(Control::编辑框店铺地址, market.View().ExampleShopAddress());
    OnClick(*session, Control::按钮采集买家1);

    auto const nicknames = Nicknames();
    auto const without_second = Listed(Joined(SellerPage(1), SellerPage(3)), Lengths::Any);
    auto const with_second
        = Listed(Joined(Joined(SellerPage(1), SellerPage(2)), SellerPage(3)), Lengths::Any);
    switch (fault.arrives) {
    case testing::Arrival::Nothing:
        EXPECT_EQ(nicknames, without_second);
        break;
    case testing::Arrival::Everything:
        EXPECT_EQ(nicknames, with_second);
        break;
    case testing::Arrival::Beginning: {
        // Page 1's buyers first, page 3's new ones last, and between them only page 2's.
        std::set<Text> const allowed(with_second.begin(), with_second.end());
        for (auto const& nickname : nicknames)
            EXPECT_TRUE(allowed.contains(nickname));
        auto const first = Listed(SellerPage(1), Lengths::Any);
        ASSERT_GE(nicknames.size(), first.size());
        EXPECT_TRUE(std::equal(first.begin(), first.end(), nicknames.begin()));
        break;
    }
    }
    EXPECT_EQ(LogLines(),
        (std::vector<Text> {"开始采集数据 。。。"_gbk, PageLine(1), PageLine(2), PageLine(3),
            "采集结束。。。"_gbk, CountLine(nicknames.size())}));
    EXPECT_EQ(form.GetText(Control::按钮采集买家1), "开始"_gbk);
    EXPECT_FALSE(session->run_gate.IsRunActive());
}

INSTANTIATE_TEST_SUITE_P(SecondPage, ShopRatingFaults, ::testing::ValuesIn(testing::PageFaults()),
    [](auto const& info) { return info.param.name; });

class ItemRatingFaults : public BuyerFaults { };

TEST_P(ItemRatingFaults, PageThatGaveNothingEndsTheRunLikeALastPage)
{
    testing::FaultCase const& fault = GetParam();
    market.Configure([&](market::Scenario& s) {
        s.item_rating_count = 45; // three full pages
        fault.apply(s, MarketHost::Rating);
        s.faults_only_for[MarketHost::Rating] = "currentPage=2";
    });
    form.SetText(Control::编辑框宝贝地址, market.View().ExampleItemAddress());
    OnClick(*session, Control::按钮采集买家2);

    std::vector<std::string> rating_targets;
    for (auto const& request : market.Requests(MarketHost::Rating))
        rating_targets.push_back(request.target);
    auto const nicknames = Nicknames();
    if (fault.arrives == testing::Arrival::Nothing) {
        // Page 3 is never asked for: the bad page ended the run.
        ASSERT_EQ(rating_targets.size(), 1 + fault.requests_per_read);
        for (std::size_t i = 1; i < rating_targets.size(); ++i)
            EXPECT_NE(rating_targets[i].find("currentPage=2"), std::string::npos) << rating_targets[i];
        EXPECT_EQ(nicknames, Listed(ItemPage(1), Lengths::AtMost20Bytes));
        EXPECT_EQ(LogLines(),
            (std::vector<Text> {"开始采集数据 。。。"_gbk, PageLine(1), PageLine(2),
                "数据采集完毕 。。。"_gbk, CountLine(nicknames.size())}));
    } else {
        EXPECT_EQ(
            nicknames, Listed(Joined(Joined(ItemPage(1), ItemPage(2)), ItemPage(3)), Lengths::AtMost20Bytes));
        auto const lines = LogLines();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[lines.size() - 2], "数据采集完毕 。。。"_gbk);
        EXPECT_EQ(lines.back(), CountLine(nicknames.size()));
    }
    EXPECT_EQ(form.GetText(Control::按钮采集买家2), "开始"_gbk);
    EXPECT_FALSE(session->run_gate.IsRunActive());
}

// A cut-off page may or may not still hold the marker that keeps the run going, so only the
// faults whose outcome is certain are run here.
std::vector<testing::FaultCase> CertainFaults()
{
    std::vector<testing::FaultCase> certain;
    for (auto& fault : testing::PageFaults()) {
        if (fault.arrives != testing::Arrival::Beginning)
            certain.push_back(std::move(fault));
    }
    return certain;
}

INSTANTIATE_TEST_SUITE_P(SecondPage, ItemRatingFaults, ::testing::ValuesIn(CertainFaults()),
    [](auto const& info) { return info.param.name; });

}
}
