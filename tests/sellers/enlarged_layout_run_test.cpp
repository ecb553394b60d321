// The handover to the enlarged four-picture layout and the mall filter that only it applies.
#include "seller_run_harness.h"

namespace velmora {
namespace {

constexpr std::string_view PhoneCaseQuery = "/search?q=%CA%D6%BB%FA%BF%C7"; // 手机壳
constexpr std::string_view TeaQuery = "/search?q=%CC%FA%B9%DB%D2%F4"; // 铁观音
constexpr std::string_view FetchAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

class EnlargedLayoutRun : public testing::SellerRunTest { };

TEST_F(EnlargedLayoutRun, PageOneIsReadTwiceOnceByEachReader)
{
    // 手机壳: page 1 enlarged, page 2 in the list layout, which the enlarged reader finds no
    // result block in.
    form.SetChecked(Control::选择框去重复, false);
    RunItemSearch("手机壳");

    auto const requests = SearchRequests();
    ASSERT_EQ(requests.size(), 3u);
    std::string const query(PhoneCaseQuery);
    EXPECT_EQ(requests[0].target, query);
    EXPECT_EQ(requests[0].Header("User-Agent"), "zavi.vuv");
    EXPECT_EQ(requests[1].target, query);
    EXPECT_EQ(requests[1].Header("User-Agent"), FetchAgent);
    EXPECT_EQ(requests[2].target, query + "&s=40");
    EXPECT_EQ(requests[2].Header("User-Agent"), FetchAgent);

    EXPECT_EQ(LogLines(),
        (std::vector<Text> {"开始采集数据 。。。"_gbk, "采集失败，更换方法。。。"_gbk, "可以采集2页"_gbk,
            "正在采集第1页。。。"_gbk, "正在采集第2页。。。"_gbk, "数据采集完毕 。。。"_gbk,
            "共采集到40条数据。"_gbk}));

    auto const entries = EntriesOf("手机壳", 1, 1);
    auto const rows = Rows();
    ASSERT_EQ(rows.size(), entries.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i], RowOf(entries[i], static_cast<int>(i) + 1)) << "row " << i;
    EXPECT_EQ(session->state.PageCount, 2);
    EXPECT_EQ(form.GetText(Control::按钮搜索卖家), "开始"_gbk);
    EXPECT_FALSE(form.IsVisible(Control::图片框5));
}

TEST_F(EnlargedLayoutRun, EveryPageEnlarged)
{
    form.SetChecked(Control::选择框去重复, false);
    RunItemSearch("铁观音");
    std::string const query(TeaQuery);
    EXPECT_EQ(SearchTargets(), (std::vector<std::string> {query, query, query + "&s=40"}));
    auto const entries = EntriesOf("铁观音", 1, 2);
    ASSERT_EQ(entries.size(), 58u);
    auto const rows = Rows();
    ASSERT_EQ(rows.size(), entries.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i], RowOf(entries[i], static_cast<int>(i) + 1)) << "row " << i;
}

TEST_F(EnlargedLayoutRun, MallSellersDroppedAndNotRemembered)
{
    auto const entries = EntriesOf("铁观音", 1, 2);
    std::vector<Text> expected;
    Text seen_names;
    std::size_t mall_entries = 0;
    for (auto const& entry : entries) {
        if (entry.mall) {
            ++mall_entries;
            continue;
        }
        if (std::find(expected.begin(), expected.end(), entry.nickname) == expected.end()) {
            expected.push_back(entry.nickname);
            seen_names += entry.nickname + "/";
        }
    }
    ASSERT_GT(mall_entries, 0u);

    form.SetChecked(Control::选择框去重复, true);
    form.SetChecked(Control::选择框过滤商城用户, true);
    RunItemSearch("铁观音");
    EXPECT_EQ(Nicknames(), expected);
    EXPECT_EQ(session->state.SeenNames, seen_names);

    form.SetChecked(Control::选择框去重复, false);
    form.SetChecked(Control::选择框过滤商城用户, false);
    RunItemSearch("铁观音");
    EXPECT_EQ(Rows().size(), entries.size());
}

TEST_F(EnlargedLayoutRun, MallFilterHasNoEffectInTheListLayout)
{
    auto const entries = EntriesOf("连衣裙", 1, 3);
    ASSERT_TRUE(std::any_of(entries.begin(), entries.end(), [](auto const& entry) { return entry.mall; }));
    form.SetChecked(Control::选择框去重复, false);
    form.SetChecked(Control::选择框过滤商城用户, true);
    RunItemSearch("连衣裙");
    EXPECT_EQ(Rows().size(), entries.size());
}

}
}
