#include "app/collection_state.h"
#include "app/memory_form.h"
#include "sellers/category_box.h"
#include "sellers/category_texts.h"
#include "web/endpoints.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

constexpr std::string_view Host = "shop.example:8080";

struct Expected {
    char const* name;
    char const* category_id;
    char const* root_category_id;
};

// The 66 categories with their ids, in the order of the box.
constexpr Expected EveryCategory[] = {
    {"女装/女士精品", "16", "1"},
    {"男装", "30", "1"},
    {"女鞋", "50006843", "1"},
    {"运动鞋", "50010388", "1"},
    {"男鞋/皮鞋/休闲鞋", "50016853", "1"},
    {"运动服/运动包/颈环配件", "50016756", "1"},
    {"女士内衣/男士内衣/家居服", "1625", "1"},
    {"箱包皮具/热销女包/男包", "50006842", "1"},
    {"服饰配件/皮带/帽子/围巾", "50010404", "1"},
    {"电脑硬件/显示器/电脑周边", "11", "2"},
    {"手机", "1512", "2"},
    {"笔记本电脑", "1101", "2"},
    {"网络设备/路由器/网络相关", "50041307", "2"},
    {"数码相机/摄像机/摄影器材", "14", "2"},
    {"MP3/MP4/iPod/录音笔", "1201", "2"},
    {"电玩/配件/游戏/攻略", "20", "2"},
    {"影音电器", "50018908", "2"},
    {"厨房电器", "50018930", "2"},
    {"生活电器", "50018957", "2"},
    {"3C数码配件市场", "50008090", "2"},
    {"国货精品手机", "50019321", "2"},
    {"大家电", "50035182", "2"},
    {"个人护理/保健/按摩器材", "50019142", "2"},
    {"闪存卡/U盘/移动存储", "50019393", "2"},
    {"美容护肤/美体/精油", "1801", "3"},
    {"彩妆/香水/美发/工具", "50010788", "3"},
    {"国货精品/开架化妆品", "50018121", "3"},
    {"居家日用/收纳/礼品", "21", "4"},
    {"厨房/餐饮用具", "50035867", "4"},
    {"日化/清洁/护理", "50035458", "4"},
    {"床上用品/靠垫/毛巾/布艺", "50008163", "4"},
    {"家装饰品/窗帘/地毯", "2128", "5"},
    {"家具/家具定制/宜家代购", "50008164", "5"},
    {"装潢/灯具/五金/安防/卫浴", "27", "5"},
    {"零食/坚果/茶叶/特产", "50002766", "6"},
    {"粮油/蔬果/干货/速食/水产", "50035978", "6"},
    {"品牌保健品", "50064900", "6"},
    {"传统滋补品/其他保健营养品", "50008825", "6"},
    {"奶粉/辅食/营养品", "35", "7"},
    {"尿片/洗护/喂哺等用品", "50006004", "7"},
    {"益智玩具/早教/童车床/出行", "50005998", "7"},
    {"童装/童鞋/孕妇装", "50008165", "7"},
    {"运动/瑜伽/健身/球迷用品", "50010728", "8"},
    {"户外/登山/野营/旅行", "2203", "8"},
    {"汽车/配件/改装/摩托/自行车", "26", "8"},
    {"书籍/杂志/报纸", "33", "8"},
    {"宠物/宠物食品及用品", "29", "8"},
    {"音乐/影视/明星/音像", "34", "8"},
    {"乐器/吉他/钢琴/配件", "50039094", "8"},
    {"办公设备/文具/耗材", "50007218", "8"},
    {"珠宝/钻石/翡翠/黄金", "50015926", "9"},
    {"饰品/流行首饰/时尚饰品", "1705", "9"},
    {"品牌手表/流行手表", "50005700", "9"},
    {"玩具/模型/娃娃/人偶", "25", "10"},
    {"古董/邮币/字画/收藏", "23", "10"},
    {"ZIPPO/瑞士军刀/眼镜", "28", "10"},
    {"鲜花速递/蛋糕配送/园艺花艺", "50007216", "11"},
    {"演出/吃喝玩乐折扣券", "50008075", "11"},
    {"酒店客栈/景点门票/度假旅游", "50018963", "11"},
    {"网店/网络服务/个性定制/软件", "50032886", "11"},
    {"成人用品/避孕/计生用品", "50035966", "11"},
    {"网游装备/游戏币/帐号/代练", "50017708", "12"},
    {"IP卡/网络电话/手机号码", "50008907", "12"},
    {"网络游戏点卡", "99", "12"},
    {"腾讯QQ专区", "40", "12"},
    {"移动/联通/小灵通充值中心", "50004958", "12"},
};

Text LinkLine(char const* root, char const* cat, std::string_view encoded_name, char const* name)
{
    return "<A href=\"http://" + Text(Host) + "/browse/shop_search.htm?rootCat=" + root
        + "&amp;s=0&amp;cat=" + cat + "&amp;catName=" + Text(encoded_name)
        + "&amp;stat=6&amp;shopf=&amp;cattype=1\">" + Utf8ToGbk(name) + "</A> ";
}

std::vector<Text> SplitAt(std::string_view text, std::string_view separator)
{
    std::vector<Text> pieces;
    while (true) {
        auto at = text.find(separator);
        pieces.emplace_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return pieces;
        text.remove_prefix(at + separator.size());
    }
}

TEST(CategoryChoices, AllCategoriesThenTheSixtySixNamesSeparatedBySingleBlanks)
{
    Text expected = "所有类目"_gbk;
    for (auto const& category : EveryCategory)
        expected += " " + Utf8ToGbk(category.name);
    EXPECT_EQ(CategoryChoices(), expected);
    EXPECT_EQ(SplitAt(CategoryChoices(), " ").size(), 67u);
}

TEST(CategoryLinkBlock, LinesOfTheFirstGroupAndEveryGroupBoundary)
{
    Text const block = CategoryLinkBlock(Host);
    std::vector<Text> const lines = SplitAt(block, "\r\n");

    // 12 headings, 11 empty lines after the later headings, 66 links, 11 empty lines
    // between groups; the last line has no break.
    ASSERT_EQ(lines.size(), 100u);
    EXPECT_EQ(lines[0], "<H4><A href=\"#\">"_gbk + "服饰鞋包"_gbk + "</A></H4>");
    EXPECT_EQ(lines[1], LinkLine("1", "16", "%C5%AE%D7%B0%2F%C5%AE%CA%BF%BE%AB%C6%B7", "女装/女士精品"));
    // The last link of a group closes the list; an empty line follows it, and another one
    // follows the next heading.
    EXPECT_EQ(lines[9],
        LinkLine("1", "50010404", "%B7%FE%CA%CE%C5%E4%BC%FE%2F%C6%A4%B4%F8%2F%C3%B1%D7%D3%2F%CE%A7%BD%ED",
            "服饰配件/皮带/帽子/围巾")
            + "</LI></UL>");
    EXPECT_EQ(lines[10], "");
    EXPECT_EQ(lines[11], "<H4><A href=\"#\">"_gbk + "3C数码"_gbk + "</A></H4>");
    EXPECT_EQ(lines[12], "");
    EXPECT_EQ(lines[13],
        LinkLine("2", "11", "%B5%E7%C4%D4%D3%B2%BC%FE%2F%CF%D4%CA%BE%C6%F7%2F%B5%E7%C4%D4%D6%DC%B1%DF",
            "电脑硬件/显示器/电脑周边"));

    // ASCII letters and digits of a name stay, "/" and the GBK bytes are escaped.
    auto const mp3 = LinkLine("2", "1201", "MP3%2FMP4%2FiPod%2F%C2%BC%D2%F4%B1%CA", "MP3/MP4/iPod/录音笔");
    EXPECT_NE(block.find(mp3 + "\r\n"), Text::npos);

    // The headings in order, each but the first followed by an empty line.
    std::vector<Text> headings;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].starts_with("<H4>")) {
            headings.push_back(lines[i]);
            if (i > 0) {
                EXPECT_EQ(lines[i - 1], "") << i;
                EXPECT_TRUE(lines[i - 2].ends_with("</A> </LI></UL>")) << i;
                EXPECT_EQ(lines[i + 1], "") << i;
            }
        }
    }
    std::vector<Text> expected_headings;
    for (char const* heading : {"服饰鞋包", "3C数码", "美容护理", "家居用品", "家装家饰", "食品/保健",
             "母婴用品", "文体/汽车", "珠宝/首饰", "收藏/爱好", "生活服务", "游戏/话费"})
        expected_headings.push_back("<H4><A href=\"#\">" + Utf8ToGbk(heading) + "</A></H4>");
    EXPECT_EQ(headings, expected_headings);

    // Every link line ends with the name, "</A>" and one blank; the very last has no break.
    EXPECT_TRUE(block.ends_with("\">"_gbk + "移动/联通/小灵通充值中心"_gbk + "</A> "));
    int links = 0;
    for (auto const& line : lines) {
        if (line.starts_with("<A href=")) {
            ++links;
            EXPECT_TRUE(line.ends_with("</A> ") || line.ends_with("</A> </LI></UL>")) << GbkToUtf8(line);
        }
    }
    EXPECT_EQ(links, 66);
}

TEST(ResolveCategory, EveryNameResolvesToItsOwnRow)
{
    CollectionState state;
    Endpoints endpoints = Endpoints::Marketplace();
    for (auto const& category : EveryCategory) {
        ResolveCategory(state, endpoints, Utf8ToGbk(category.name));
        EXPECT_EQ(state.CategoryId, category.category_id) << category.name;
        EXPECT_EQ(state.RootCategoryId, category.root_category_id) << category.name;
    }
}

TEST(ResolveCategory, EdgeCases)
{
    struct Case {
        char const* text;
        char const* category_id;
        char const* root_category_id;
    };
    Case const cases[] = {
        {"所有类目", "", ""}, // the box's first entry is not in the block
        {"所有类别", "", ""}, // the box's text before it is filled
        {"", "", ""},
        {"女装/女士精品", "16", "1"},
        {"移动/联通/小灵通充值中心", "50004958", "12"},
        {"手机", "1512", "2"}, // not 国货精品手机 or IP卡/网络电话/手机号码
        {"MP3/MP4/iPod/录音笔", "1201", "2"},
        {"mp3/mp4/ipod/录音笔", "1201", "2"},
        {"3C数码", "", ""}, // a group heading, though 3C数码配件市场 follows
        {"食品/保健", "", ""},
        {"shop.example", "", ""}, // in an address, before the link's ids
        {"连衣裙", "", ""},
        {"女装/女士精品/", "", ""},
    };
    Text const block = CategoryLinkBlock(Host);
    for (auto const& c : cases) {
        auto ids = FindCategoryIds(block, Utf8ToGbk(c.text));
        EXPECT_EQ(ids.category_id, c.category_id) << c.text;
        EXPECT_EQ(ids.root_category_id, c.root_category_id) << c.text;
    }
}

TEST(ResolveCategory, ReplacesTheIdsOfTheLastStart)
{
    CollectionState state;
    Endpoints endpoints = Endpoints::Marketplace();
    endpoints.ShopSearchHost = "127.0.0.1:4000";
    ResolveCategory(state, endpoints, "男装"_gbk);
    EXPECT_EQ(state.CategoryId, "30");
    EXPECT_EQ(state.RootCategoryId, "1");
    ResolveCategory(state, endpoints, "127.0.0.1"_gbk);
    EXPECT_EQ(state.CategoryId, "");
    EXPECT_EQ(state.RootCategoryId, "");
}

TEST(FillCategoryBox, SixtySevenEntriesWithTheFirstSelected)
{
    MemoryForm form;
    EXPECT_EQ(form.GetText(Control::组合框类别), "所有类别"_gbk);
    FillCategoryBox(form);
    EXPECT_EQ(form.ItemCount(Control::组合框类别), 67);
    EXPECT_EQ(form.GetText(Control::组合框类别), "所有类目"_gbk);
    form.SelectItem(Control::组合框类别, 66);
    EXPECT_EQ(form.GetText(Control::组合框类别), "移动/联通/小灵通充值中心"_gbk);
    form.SelectItem(Control::组合框类别, 11);
    EXPECT_EQ(form.GetText(Control::组合框类别), "手机"_gbk);
}

}
}
