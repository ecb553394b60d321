#include "sellers/category_texts.h"

#include <array>

namespace velmora {

namespace {

constexpr CategoryRow Categories[] = {
    {"1", "服饰鞋包", "16", "女装/女士精品"},
    {"1", "服饰鞋包", "30", "男装"},
    {"1", "服饰鞋包", "50006843", "女鞋"},
    {"1", "服饰鞋包", "50010388", "运动鞋"},
    {"1", "服饰鞋包", "50016853", "男鞋/皮鞋/休闲鞋"},
    {"1", "服饰鞋包", "50016756", "运动服/运动包/颈环配件"},
    {"1", "服饰鞋包", "1625", "女士内衣/男士内衣/家居服"},
    {"1", "服饰鞋包", "50006842", "箱包皮具/热销女包/男包"},
    {"1", "服饰鞋包", "50010404", "服饰配件/皮带/帽子/围巾"},
    {"2", "3C数码", "11", "电脑硬件/显示器/电脑周边"},
    {"2", "3C数码", "1512", "手机"},
    {"2", "3C数码", "1101", "笔记本电脑"},
    {"2", "3C数码", "50041307", "网络设备/路由器/网络相关"},
    {"2", "3C数码", "14", "数码相机/摄像机/摄影器材"},
    {"2", "3C数码", "1201", "MP3/MP4/iPod/录音笔"},
    {"2", "3C数码", "20", "电玩/配件/游戏/攻略"},
    {"2", "3C数码", "50018908", "影音电器"},
    {"2", "3C数码", "50018930", "厨房电器"},
    {"2", "3C数码", "50018957", "生活电器"},
    {"2", "3C数码", "50008090", "3C数码配件市场"},
    {"2", "3C数码", "50019321", "国货精品手机"},
    {"2", "3C数码", "50035182", "大家电"},
    {"2", "3C数码", "50019142", "个人护理/保健/按摩器材"},
    {"2", "3C数码", "50019393", "闪存卡/U盘/移动存储"},
    {"3", "美容护理", "1801", "美容护肤/美体/精油"},
    {"3", "美容护理", "50010788", "彩妆/香水/美发/工具"},
    {"3", "美容护理", "50018121", "国货精品/开架化妆品"},
    {"4", "家居用品", "21", "居家日用/收纳/礼品"},
    {"4", "家居用品", "50035867", "厨房/餐饮用具"},
    {"4", "家居用品", "50035458", "日化/清洁/护理"},
    {"4", "家居用品", "50008163", "床上用品/靠垫/毛巾/布艺"},
    {"5", "家装家饰", "2128", "家装饰品/窗帘/地毯"},
    {"5", "家装家饰", "50008164", "家具/家具定制/宜家代购"},
    {"5", "家装家饰", "27", "装潢/灯具/五金/安防/卫浴"},
    {"6", "食品/保健", "50002766", "零食/坚果/茶叶/特产"},
    {"6", "食品/保健", "50035978", "粮油/蔬果/干货/速食/水产"},
    {"6", "食品/保健", "50064900", "品牌保健品"},
    {"6", "食品/保健", "50008825", "传统滋补品/其他保健营养品"},
    {"7", "母婴用品", "35", "奶粉/辅食/营养品"},
    {"7", "母婴用品", "50006004", "尿片/洗护/喂哺等用品"},
    {"7", "母婴用品", "50005998", "益智玩具/早教/童车床/出行"},
    {"7", "母婴用品", "50008165", "童装/童鞋/孕妇装"},
    {"8", "文体/汽车", "50010728", "运动/瑜伽/健身/球迷用品"},
    {"8", "文体/汽车", "2203", "户外/登山/野营/旅行"},
    {"8", "文体/汽车", "26", "汽车/配件/改装/摩托/自行车"},
    {"8", "文体/汽车", "33", "书籍/杂志/报纸"},
    {"8", "文体/汽车", "29", "宠物/宠物食品及用品"},
    {"8", "文体/汽车", "34", "音乐/影视/明星/音像"},
    {"8", "文体/汽车", "50039094", "乐器/吉他/钢琴/配件"},
    {"8", "文体/汽车", "50007218", "办公设备/文具/耗材"},
    {"9", "珠宝/首饰", "50015926", "珠宝/钻石/翡翠/黄金"},
    {"9", "珠宝/首饰", "1705", "饰品/流行首饰/时尚饰品"},
    {"9", "珠宝/首饰", "50005700", "品牌手表/流行手表"},
    {"10", "收藏/爱好", "25", "玩具/模型/娃娃/人偶"},
    {"10", "收藏/爱好", "23", "古董/邮币/字画/收藏"},
    {"10", "收藏/爱好", "28", "ZIPPO/瑞士军刀/眼镜"},
    {"11", "生活服务", "50007216", "鲜花速递/蛋糕配送/园艺花艺"},
    {"11", "生活服务", "50008075", "演出/吃喝玩乐折扣券"},
    {"11", "生活服务", "50018963", "酒店客栈/景点门票/度假旅游"},
    {"11", "生活服务", "50032886", "网店/网络服务/个性定制/软件"},
    {"11", "生活服务", "50035966", "成人用品/避孕/计生用品"},
    {"12", "游戏/话费", "50017708", "网游装备/游戏币/帐号/代练"},
    {"12", "游戏/话费", "50008907", "IP卡/网络电话/手机号码"},
    {"12", "游戏/话费", "99", "网络游戏点卡"},
    {"12", "游戏/话费", "40", "腾讯QQ专区"},
    {"12", "游戏/话费", "50004958", "移动/联通/小灵通充值中心"},
};

constexpr std::string_view AllCategories = "所有类目";

// The catName parameter: the GBK bytes, ASCII letters and digits as they are, every other
// byte as %XX with upper-case hex digits.
Text EncodeCategoryName(std::string_view gbk)
{
    static constexpr char HexDigits[] = "0123456789ABCDEF";
    Text encoded;
    for (unsigned char byte : gbk) {
        bool const letter_or_digit
            = (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
        if (letter_or_digit) {
            encoded += static_cast<char>(byte);
        } else {
            encoded += '%';
            encoded += HexDigits[byte >> 4];
            encoded += HexDigits[byte & 0x0F];
        }
    }
    return encoded;
}

}

std::span<CategoryRow const> CategoryTable()
{
    return Categories;
}

Text const& CategoryChoices()
{
    static Text const choices = [] {
        Text text = Utf8ToGbk(AllCategories);
        for (auto const& row : Categories)
            text += " " + Utf8ToGbk(row.name);
        return text;
    }();
    return choices;
}

Text CategoryLinkBlock(std::string_view shop_search_host)
{
    Text block;
    std::size_t const count = std::size(Categories);
    for (std::size_t i = 0; i < count; ++i) {
        auto const& row = Categories[i];
        bool const first_of_group = i == 0 || Categories[i - 1].group_heading != row.group_heading;
        bool const last_of_group = i + 1 == count || Categories[i + 1].group_heading != row.group_heading;
        if (first_of_group) {
            block += "<H4><A href=\"#\">" + Utf8ToGbk(row.group_heading) + "</A></H4>\r\n";
            if (i != 0)
                block += "\r\n";
        }
        Text const name = Utf8ToGbk(row.name);
        block += "<A href=\"http://";
        block += shop_search_host;
        block += "/browse/shop_search.htm?rootCat=";
        block += row.root_category_id;
        block += "&amp;s=0&amp;cat=";
        block += row.category_id;
        block += "&amp;catName=" + EncodeCategoryName(name) + "&amp;stat=6&amp;shopf=&amp;cattype=1\">";
        block += name + "</A> ";
        if (i + 1 == count)
            break;
        block += last_of_group ? "</LI></UL>\r\n\r\n" : "\r\n";
    }
    return block;
}

}
