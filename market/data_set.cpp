#include "market/data_set.h"

#include "text/decimal.h"
#include "text/marker_search.h"
#include "text/spaces.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <numeric>
#include <string>

namespace velmora::market {

namespace {

// Categories of the sample shops, as the shop search names them.
enum CategoryIndex : std::size_t {
    WomensWear,
    MensWear,
    PhoneAccessories,
    Tea,
    SkinCare,
    ChildrensWear,
};

struct CategorySource {
    char const* id;
    char const* root_id;
    char const* name;
    std::vector<char const*> goods;
};

std::vector<CategorySource> const CategorySources = {
    {"16", "1", "女装/女士精品", {"连衣裙", "羽绒服", "毛衣", "半身裙"}},
    {"30", "1", "男装", {"羽绒服", "夹克", "衬衫"}},
    {"50008090", "2", "3C数码配件市场", {"手机壳", "贴膜", "数据线", "iPhone4"}},
    {"50002766", "6", "零食/坚果/茶叶/特产", {"铁观音", "龙井", "茶叶"}},
    {"1801", "3", "美容护肤/美体/精油", {"面霜", "精华", "面膜"}},
    {"50008165", "7", "童装/童鞋/孕妇装", {"童装", "童鞋", "孕妇装"}},
};

struct SellerSource {
    char const* nickname;
    char const* shop_name;
    char const* place;
    int credit_level;
    char const* opened; // empty for mall shops
    OnlineState state;
    CategoryIndex category;
};

constexpr OnlineState On = OnlineState::Online;
constexpr OnlineState Phone = OnlineState::Mobile;
constexpr OnlineState Off = OnlineState::Offline;
constexpr OnlineState None = OnlineState::Unknown;

// The hand-written sellers. Every credit level from 1 to 20 occurs; mall shops have level 0
// and no opening date. Dates sit on and around the time panel's default bounds.
std::vector<SellerSource> const SellerSources = {
    {"小鱼儿的衣橱", "小鱼儿韩版女装店", "杭州", 7, "2008-01-01", On, WomensWear},
    {"蓝色海岸线", "蓝色海岸原创女装", "广州", 12, "2006-05-17", Off, WomensWear},
    {"糖果美美", "糖果美美时尚女装", "深圳", 3, "2010-03-08", Phone, WomensWear},
    {"优衣坊旗舰店", "优衣坊官方旗舰店", "上海", 0, "", On, WomensWear},
    {"芊芊小屋", "芊芊小屋", "苏州", 5, "2007-12-31", On, WomensWear},
    {"米兰时尚馆", "米兰时尚馆", "北京", 16, "2004-09-22", Off, WomensWear},
    {"阿狸家的裙子", "阿狸家", "杭州", 1, "2011-01-02", None, WomensWear},
    {"依恋女装旗舰店", "依恋官方旗舰店", "上海", 0, "", Phone, WomensWear},
    {"淑女坊2008", "淑女坊", "广州", 9, "2009-07-15", On, WomensWear},
    {"紫罗兰的梦", "紫罗兰女装", "武汉", 14, "2005-11-30", Off, WomensWear},
    {"花样年华shop", "花样年华", "厦门", 20, "2003-06-01", On, WomensWear},
    {"我的小店我做主欢迎光临本店", "我做主小店", "南京", 1, "2011-11-11", On, WomensWear},
    {"型男部落", "型男部落潮流男装", "广州", 8, "2008-08-08", On, MensWear},
    {"七匹狼旗舰店", "七匹狼官方旗舰店", "泉州", 0, "", On, MensWear},
    {"老K的店", "老K男装", "石狮", 4, "2011-01-01", Phone, MensWear},
    {"数码港湾", "数码港湾手机配件", "深圳", 11, "2006-02-14", On, PhoneAccessories},
    {"壳壳世界", "壳壳世界", "深圳", 6, "2009-12-12", Off, PhoneAccessories},
    {"苹果配件专营", "苹果配件专营店", "广州", 2, "2011-06-18", On, PhoneAccessories},
    {"绿联数码旗舰店", "绿联官方旗舰店", "深圳", 0, "", Off, PhoneAccessories},
    {"iCase小站", "iCase手机壳", "东莞", 10, "2007-03-03", Phone, PhoneAccessories},
    {"安溪茶农阿福", "阿福铁观音", "泉州", 13, "2005-04-20", On, Tea},
    {"茗香茶庄", "茗香茶庄", "福州", 17, "2004-03-15", Off, Tea},
    {"八马茶业旗舰店", "八马茶业官方旗舰店", "泉州", 0, "", On, Tea},
    {"西湖龙井王", "西湖龙井王茶叶", "杭州", 15, "2006-10-10", Phone, Tea},
    {"美丽日记", "美丽日记护肤", "上海", 18, "2005-08-01", On, SkinCare},
    {"小雪的化妆包", "小雪彩妆", "成都", 19, "2004-12-25", Off, SkinCare},
    {"宝贝计划", "宝贝计划童装", "湖州", 4, "2008-02-29", On, ChildrensWear},
    {"熊猫宝宝家", "熊猫宝宝", "成都", 2, "2010-10-01", None, ChildrensWear},
};

// Words of the generated women's-wear sellers: every prefix with every noun.
std::array<char const*, 8> const GeneratedPrefixes
    = {"快乐", "阳光", "甜心", "可爱", "时尚", "潮流", "优雅", "浪漫"};
std::array<char const*, 6> const GeneratedNouns = {"小屋", "衣橱", "女孩", "公主", "精品", "小铺"};
std::array<char const*, 10> const GeneratedPlaces
    = {"杭州", "广州", "上海", "北京", "深圳", "苏州", "义乌", "南京", "武汉", "重庆"};
std::array<OnlineState, 10> const StatePattern = {On, Off, On, Phone, Off, On, None, Off, On, Phone};
constexpr std::size_t GeneratedMallPeriod = 12;
constexpr std::size_t GeneratedMallPhase = 5;

struct BuyerSource {
    char const* nickname;
    OnlineState state;
};

// Buyers of the rating pages: ordinary, masked (with **), exactly 20 bytes, and longer.
std::vector<BuyerSource> const BuyerSources = {
    {"tb_小丸子", On},
    {"快乐的小猪88", Off},
    {"爱购物的猫", On},
    {"lily0927", Phone},
    {"风中的承诺", Off},
    {"t**5", None},
    {"阿杰同学", On},
    {"懒懒的熊", None},
    {"甜甜圈_2011", Off},
    {"我家宝贝最爱穿这家的小裙子", On},
    {"木子李", Phone},
    {"小米粒儿", On},
    {"妮**妮", None},
    {"大眼睛妹妹", Off},
    {"ww123456", On},
    {"天使的翅膀", Phone},
    {"喜欢淘宝购物的小女生", On},
    {"海边的卡夫卡", Off},
    {"zhang_wei_1985", On},
    {"花开半夏", Off},
    {"a**9", None},
    {"一叶知秋", On},
    {"宝宝他妈", Phone},
    {"逛街逛到腿软的小女生a", On},
    {"蓝天白云yy", Off},
    {"夏天的风", On},
    {"橙子姐姐", None},
    {"星星点灯", Off},
    {"小**猫", None},
    {"jackychen", On},
    {"月光宝盒", Phone},
    {"小猫钓鱼", Off},
    {"买买买停不下来的剁手党一枚", Off},
    {"梦里花落", On},
    {"糖糖爱吃糖", Off},
    {"哈哈镜", Phone},
    {"路人甲", On},
    {"北极熊不怕冷", Off},
    {"x**1", None},
    {"西瓜太郎", On},
    {"猫猫狗狗", Off},
    {"lucky_star", On},
    {"二月春风似剪刀", Phone},
    {"秋天的童话", Off},
};

struct ListingSource {
    char const* keyword;
    ItemLayout layout;
    int result_count;
    long long first_item_id;
    std::vector<CategoryIndex> categories;
    std::vector<std::vector<char const*>> title_words;
};

std::vector<ListingSource> const ListingSources = {
    {"连衣裙", ItemLayout::Normal, 97, 12867574371LL, {WomensWear},
        {{"2011秋冬新款", "韩版", "欧美风", "淑女", "OL通勤", "复古"},
            {"修身显瘦", "蕾丝拼接", "长袖针织", "雪纺碎花", "格子毛呢", "收腰大摆"},
            {"连衣裙", "打底连衣裙", "中长款连衣裙", "连衣裙包邮"}}},
    {"羽绒服", ItemLayout::EnlargedFromSecondPage, 85, 13592106482LL, {WomensWear, MensWear},
        {{"2011冬装新款", "加厚", "韩版", "修身", "男士", "女士"},
            {"连帽", "短款", "中长款", "大毛领", "轻薄", "白鸭绒"}, {"羽绒服", "羽绒服外套", "羽绒服包邮"}}},
    {"手机壳", ItemLayout::EnlargedFirstPage, 66, 14023358817LL, {PhoneAccessories},
        {{"iPhone4", "iPhone4S", "三星i9100", "HTC", "小米", "诺基亚"},
            {"超薄磨砂", "卡通可爱", "金属拉丝", "硅胶软", "水钻镶嵌", "复古皮纹"},
            {"手机壳", "保护壳", "手机套"}}},
    {"铁观音", ItemLayout::EnlargedEveryPage, 58, 10438857213LL, {Tea},
        {{"安溪", "2011秋茶", "特级", "浓香型", "清香型", "新茶"}, {"铁观音", "铁观音茶叶", "铁观音礼盒装"},
            {"250克", "500克", "包邮", "买一送一"}}},
    {"iPhone4", ItemLayout::Normal, 23, 15260097734LL, {PhoneAccessories},
        {{"iPhone4", "iPhone4S"}, {"高清贴膜", "数据线", "充电器", "手机壳", "耳机"}, {"原装正品", "包邮"}}},
};

constexpr long long ItemIdStep = 7;
constexpr long long FirstUserId = 100236587;
constexpr long long UserIdStep = 7919;
constexpr long long FirstShopId = 33015;
constexpr long long ShopIdStep = 1021;
constexpr int RatingPagePatterns = 4;
constexpr int SellerRatingStride = 7;
constexpr int SellerRatingRepeatPeriod = 9;
constexpr int SellerRatingRepeatDistance = 13;
constexpr int ItemRatingStride = 13;
constexpr int ItemRatingRepeatPeriod = 7;
constexpr int ItemRatingRepeatDistance = 9;
constexpr int ExampleItemRatings = 37;
constexpr int ItemRatingSpread = 50;
constexpr int ItemRatingSpreadStep = 23;
constexpr std::size_t MakerShopSellerIndex = 4;

Text DateText(int year, int month, int day)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, day);
    return buffer;
}

// The query's letters folded to lower case and its spaces removed.
Text FoldedQuery(std::string_view text)
{
    Text folded = RemoveSpaces(text);
    for (char& byte : folded) {
        if (byte >= 'A' && byte <= 'Z')
            byte = static_cast<char>(byte - 'A' + 'a');
    }
    return folded;
}

} // namespace

std::shared_ptr<DataSet const> DataSet::Shared()
{
    static std::shared_ptr<DataSet const> const data = std::make_shared<DataSet const>();
    return data;
}

DataSet::DataSet()
{
    for (auto const& source : CategorySources) {
        Category category {source.id, source.root_id, Utf8ToGbk(source.name), {}};
        for (char const* word : source.goods)
            category.goods.push_back(Utf8ToGbk(word));
        m_categories.push_back(std::move(category));
    }

    auto add_seller = [this](Text nickname, Text shop_name, Text place, int level, Text opened,
                          OnlineState state, std::size_t category) {
        Seller seller;
        seller.index = m_sellers.size();
        seller.nickname = std::move(nickname);
        seller.user_id = DecimalText(FirstUserId + UserIdStep * static_cast<long long>(seller.index));
        seller.shop_id = DecimalText(FirstShopId + ShopIdStep * static_cast<long long>(seller.index));
        seller.shop_name = std::move(shop_name);
        seller.place = std::move(place);
        seller.credit_level = level;
        seller.mall = opened.empty();
        seller.opened = std::move(opened);
        seller.state = state;
        seller.category = category;
        m_sellers.push_back(std::move(seller));
    };

    for (auto const& source : SellerSources) {
        add_seller(Utf8ToGbk(source.nickname), Utf8ToGbk(source.shop_name), Utf8ToGbk(source.place),
            source.credit_level, source.opened, source.state, source.category);
    }

    // Generated women's-wear sellers, so that the shop search has several pages.
    std::size_t const generated = GeneratedPrefixes.size() * GeneratedNouns.size();
    for (std::size_t i = 0; i < generated; ++i) {
        std::string name = std::string(GeneratedPrefixes[i % GeneratedPrefixes.size()])
            + GeneratedNouns[(i / GeneratedPrefixes.size()) % GeneratedNouns.size()];
        bool const mall = i % GeneratedMallPeriod == GeneratedMallPhase;
        std::string nickname = mall ? name + "旗舰店" : name + std::to_string(10 + (i * 37) % 90);
        std::string shop_name = mall ? name + "女装旗舰店" : name + "女装店";
        int const level = mall ? 0 : 1 + static_cast<int>((i * 7) % 20);
        Text opened = mall ? Text {}
                           : DateText(2004 + static_cast<int>(i % 8), 1 + static_cast<int>((i * 5) % 12),
                               1 + static_cast<int>((i * 11) % 28));
        add_seller(Utf8ToGbk(nickname), Utf8ToGbk(shop_name),
            Utf8ToGbk(GeneratedPlaces[i % GeneratedPlaces.size()]), level, std::move(opened),
            StatePattern[i % StatePattern.size()], WomensWear);
    }

    for (auto const& source : BuyerSources)
        m_buyers.push_back({Utf8ToGbk(source.nickname), source.state});

    for (auto const& source : ListingSources) {
        KeywordListing listing;
        listing.index = m_listings.size();
        listing.keyword = Utf8ToGbk(source.keyword);
        listing.layout = source.layout;
        listing.result_count = source.result_count;
        listing.first_item_id = source.first_item_id;
        for (auto const& seller : m_sellers) {
            if (std::find(source.categories.begin(), source.categories.end(), seller.category)
                != source.categories.end())
                listing.seller_pool.push_back(seller.index);
        }
        for (auto const& words : source.title_words) {
            std::vector<Text> converted;
            for (char const* word : words)
                converted.push_back(Utf8ToGbk(word));
            listing.title_words.push_back(std::move(converted));
        }
        m_listings.push_back(std::move(listing));
    }
}

Seller const* DataSet::SellerByNickname(std::string_view nickname) const
{
    auto found = std::find_if(
        m_sellers.begin(), m_sellers.end(), [&](auto const& s) { return s.nickname == nickname; });
    return found == m_sellers.end() ? nullptr : &*found;
}

Seller const* DataSet::SellerByUserId(std::string_view user_id) const
{
    auto found = std::find_if(
        m_sellers.begin(), m_sellers.end(), [&](auto const& s) { return s.user_id == user_id; });
    return found == m_sellers.end() ? nullptr : &*found;
}

Seller const* DataSet::SellerByShopId(std::string_view shop_id) const
{
    auto found = std::find_if(
        m_sellers.begin(), m_sellers.end(), [&](auto const& s) { return s.shop_id == shop_id; });
    return found == m_sellers.end() ? nullptr : &*found;
}

Buyer const* DataSet::BuyerByNickname(std::string_view nickname) const
{
    auto found = std::find_if(
        m_buyers.begin(), m_buyers.end(), [&](auto const& b) { return b.nickname == nickname; });
    return found == m_buyers.end() ? nullptr : &*found;
}

Category const* DataSet::CategoryById(std::string_view id) const
{
    auto found
        = std::find_if(m_categories.begin(), m_categories.end(), [&](auto const& c) { return c.id == id; });
    return found == m_categories.end() ? nullptr : &*found;
}

Category const* DataSet::CategoryByName(std::string_view name) const
{
    auto found = std::find_if(
        m_categories.begin(), m_categories.end(), [&](auto const& c) { return c.name == name; });
    return found == m_categories.end() ? nullptr : &*found;
}

KeywordListing const* DataSet::ListingForQuery(std::string_view query) const
{
    Text const folded = FoldedQuery(query);
    if (folded.empty())
        return nullptr;
    for (auto const& listing : m_listings) {
        if (FoldedQuery(listing.keyword) == folded)
            return &listing;
    }
    return nullptr;
}

Item DataSet::ItemAt(KeywordListing const& listing, int index) const
{
    Item item;
    item.id = DecimalText(listing.first_item_id + ItemIdStep * index);
    item.listing = listing.index;
    item.index = index;
    // Walk the words so that neighbouring items differ in more than one word.
    std::size_t const i = static_cast<std::size_t>(index);
    for (std::size_t list = 0; list < listing.title_words.size(); ++list) {
        auto const& words = listing.title_words[list];
        item.title += words[(i + i / (list + 2) + list * 3) % words.size()];
    }
    // A stride prime to the pool's size visits every seller of the pool before one repeats.
    std::size_t const pool = listing.seller_pool.size();
    std::size_t stride = 7;
    while (std::gcd(stride, pool) != 1)
        stride += 2;
    item.seller = listing.seller_pool[(i * stride) % pool];
    return item;
}

std::optional<Item> DataSet::ItemWithId(std::string_view id) const
{
    if (id.empty() || id.size() > 18
        || !std::all_of(id.begin(), id.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    long long const number = std::stoll(std::string(id));
    for (auto const& listing : m_listings) {
        long long const distance = number - listing.first_item_id;
        if (distance >= 0 && distance % ItemIdStep == 0 && distance / ItemIdStep < (1 << 20))
            return ItemAt(listing, static_cast<int>(distance / ItemIdStep));
    }
    return std::nullopt;
}

int DataSet::SellerRatingPages(Seller const& seller) const
{
    return 1 + static_cast<int>((seller.index + 2) % RatingPagePatterns);
}

Text const& DataSet::SellerRatingNickname(Seller const& seller, int rating) const
{
    // Some ratings come from a buyer met a few ratings earlier, often on the page before.
    if (rating >= SellerRatingRepeatDistance
        && rating % SellerRatingRepeatPeriod == SellerRatingRepeatPeriod - 1)
        return SellerRatingNickname(seller, rating - SellerRatingRepeatDistance);
    std::size_t const buyer
        = (seller.index * 3 + static_cast<std::size_t>(rating) * SellerRatingStride) % m_buyers.size();
    return m_buyers[buyer].nickname;
}

int DataSet::ItemRatingCount(Item const& item) const
{
    return ExampleItemRatings
        + (item.index * ItemRatingSpreadStep + static_cast<int>(item.listing) * 11) % ItemRatingSpread;
}

Text const& DataSet::ItemRatingNickname(Item const& item, int rating) const
{
    if (rating >= ItemRatingRepeatDistance && rating % ItemRatingRepeatPeriod == ItemRatingRepeatPeriod - 1)
        return ItemRatingNickname(item, rating - ItemRatingRepeatDistance);
    std::size_t const buyer = (static_cast<std::size_t>(item.index) * 5 + item.listing * 3
                                  + static_cast<std::size_t>(rating) * ItemRatingStride)
        % m_buyers.size();
    return m_buyers[buyer].nickname;
}

Seller const& DataSet::MakerShopSeller() const
{
    return m_sellers[MakerShopSellerIndex];
}

} // namespace velmora::market
