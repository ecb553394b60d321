#include "market/market_view.h"

#include "text/decimal.h"
#include "text/marker_search.h"

#include <algorithm>

namespace velmora::market {

namespace {

constexpr int LevelsPerFamily = 5;
constexpr std::string_view RankFamilies[] = {"s_red_", "s_blue_", "s_cap_", "s_crown_"};
constexpr int HighestLevel = 20;

int PagesFor(int results, int stride)
{
    return results <= 0 ? 0 : (results + stride - 1) / stride;
}

} // namespace

Text RankImageName(int level)
{
    if (level < 1 || level > HighestLevel)
        return {};
    int const family = (level - 1) / LevelsPerFamily;
    return Text(RankFamilies[family]) + DecimalText((level - 1) % LevelsPerFamily + 1);
}

MarketView::MarketView(
    std::shared_ptr<DataSet const> data, std::shared_ptr<Scenario const> scenario, Endpoints endpoints)
    : m_data(std::move(data))
    , m_scenario(std::move(scenario))
    , m_endpoints(std::move(endpoints))
{
}

OnlineState MarketView::StateOf(std::string_view nickname) const
{
    if (auto chosen = m_scenario->online_states.find(Text(nickname));
        chosen != m_scenario->online_states.end())
        return chosen->second;
    Seller const* seller = m_data->SellerByNickname(nickname);
    Buyer const* buyer = seller ? nullptr : m_data->BuyerByNickname(nickname);
    if (!seller && !buyer)
        return OnlineState::Unknown;
    if (m_scenario->everyone_state)
        return *m_scenario->everyone_state;
    return seller ? seller->state : buyer->state;
}

bool MarketView::IsMall(Seller const& seller) const
{
    if (auto chosen = m_scenario->mall_sellers.find(seller.nickname);
        chosen != m_scenario->mall_sellers.end())
        return chosen->second;
    return seller.mall;
}

Text MarketView::OpeningDateShown(Seller const& seller) const
{
    return IsMall(seller) ? Text {} : seller.opened;
}

Text MarketView::ItemLink(Item const& item) const
{
    return "http://" + m_endpoints.ItemHost + "/item.htm?id=" + item.id;
}

Text MarketView::SellerLink(Seller const& seller) const
{
    return "http://" + m_endpoints.RatingHost + "/user-rate-" + seller.user_id + ".htm";
}

Text MarketView::ShopAddress(Seller const& seller) const
{
    return "http://" + m_endpoints.HomeHost + "/shop/" + seller.shop_id + "/";
}

Text MarketView::ItemRatingAddress(Item const& item) const
{
    Seller const& seller = m_data->Sellers()[item.seller];
    return "http://" + m_endpoints.RatingHost + "/detail_rate.htm?userNumId=" + seller.user_id
        + "&auctionNumId=" + item.id + "&currentPage=1";
}

Text MarketView::SellerRatingPageAddress(Seller const& seller, int page) const
{
    Text const number = DecimalText(page);
    return "http://" + m_endpoints.RatingHost + "/member_rate.htm?user_id=" + seller.user_id
        + "&rater=0&content=1&direction=0&identity=1&from=rate&page=" + number + "&current_page=" + number;
}

Text MarketView::RankImageAddress(int level) const
{
    Text const name = RankImageName(level);
    return name.empty() ? Text {} : "http://" + m_endpoints.ImageHost + "/newrank/" + name + ".gif";
}

Text MarketView::ProgramFileAddress() const
{
    return "http://" + m_endpoints.UpdateServer + "/download/velmora";
}

Text MarketView::DownloadAddress() const
{
    auto const& chosen = m_scenario->update.download_address;
    return chosen.empty() ? ProgramFileAddress() : chosen;
}

Text MarketView::MallHomeAddress() const
{
    return "http://" + m_endpoints.MallHost + "/";
}

KeywordListing const* MarketView::Listing(std::string_view keyword) const
{
    return m_data->ListingForQuery(keyword);
}

int MarketView::ItemResultCount(KeywordListing const& listing) const
{
    if (m_scenario->item_search_pages)
        return std::max(0, *m_scenario->item_search_pages) * SearchPageStride;
    return listing.result_count;
}

int MarketView::ItemSearchPageCount(std::string_view keyword) const
{
    KeywordListing const* listing = Listing(keyword);
    return listing ? PagesFor(ItemResultCount(*listing), SearchPageStride) : 0;
}

ItemLayout MarketView::LayoutOf(KeywordListing const& listing) const
{
    if (auto chosen = m_scenario->item_layouts.find(listing.keyword);
        chosen != m_scenario->item_layouts.end())
        return chosen->second;
    return listing.layout;
}

bool MarketView::IsEnlargedPage(KeywordListing const& listing, int page) const
{
    switch (LayoutOf(listing)) {
    case ItemLayout::Normal:
        return false;
    case ItemLayout::EnlargedFirstPage:
        return page <= 1;
    case ItemLayout::EnlargedEveryPage:
        return true;
    case ItemLayout::EnlargedFromSecondPage:
        return page > 1;
    }
    return false;
}

ItemEntry MarketView::EntryFor(Item const& item) const
{
    Seller const& seller = m_data->Sellers()[item.seller];
    ItemEntry entry;
    entry.item = item;
    entry.seller = &seller;
    entry.item_link = ItemLink(item);
    entry.title = item.title;
    entry.place = seller.place;
    entry.seller_link = SellerLink(seller);
    entry.nickname = seller.nickname;
    entry.mall = IsMall(seller);
    return entry;
}

std::vector<ItemEntry> MarketView::ItemSearchEntries(std::string_view keyword, int offset) const
{
    std::vector<ItemEntry> entries;
    KeywordListing const* listing = Listing(keyword);
    if (!listing || offset < 0)
        return entries;
    int const end = std::min(ItemResultCount(*listing), offset + m_scenario->item_search_page_size);
    for (int index = offset; index < end; ++index)
        entries.push_back(EntryFor(m_data->ItemAt(*listing, index)));
    return entries;
}

std::vector<ItemEntry> MarketView::ItemSearchPage(std::string_view keyword, int page) const
{
    return ItemSearchEntries(keyword, (page - 1) * SearchPageStride);
}

std::optional<Item> MarketView::FindItem(std::string_view id) const
{
    auto item = m_data->ItemWithId(id);
    if (!item || item->index >= ItemResultCount(m_data->Listings()[item->listing]))
        return std::nullopt;
    return item;
}

std::vector<Seller const*> MarketView::ShopMatches(ShopQuery const& query) const
{
    std::vector<Seller const*> matches;
    Category const* by_id = nullptr;
    if (!query.category_id.empty()) {
        by_id = m_data->CategoryById(query.category_id);
        if (!by_id)
            return matches;
    }
    Category const* by_name = nullptr;
    if (!query.category_name.empty() && query.category_name != "所有类目"_gbk
        && query.category_name != "所有类别"_gbk) {
        by_name = m_data->CategoryByName(query.category_name);
        if (!by_name)
            return matches;
    }
    bool const any_field = query.in_shop_names || query.in_keeper_names || query.in_item_names;
    for (auto const& seller : m_data->Sellers()) {
        Category const& category = m_data->Categories()[seller.category];
        if ((by_id && by_id != &category) || (by_name && by_name != &category))
            continue;
        bool found = query.keyword.empty();
        if (!found && (query.in_shop_names || !any_field))
            found = ContainsMarker(seller.shop_name, query.keyword);
        if (!found && query.in_keeper_names)
            found = ContainsMarker(seller.nickname, query.keyword);
        if (!found && query.in_item_names) {
            found = std::any_of(category.goods.begin(), category.goods.end(),
                [&](Text const& goods) { return ContainsMarker(goods, query.keyword); });
        }
        if (found)
            matches.push_back(&seller);
    }
    return matches;
}

int MarketView::ShopResultCount(ShopQuery const& query) const
{
    auto const matches = ShopMatches(query);
    if (matches.empty())
        return 0;
    if (m_scenario->shop_search_pages)
        return std::max(0, *m_scenario->shop_search_pages) * SearchPageStride;
    return static_cast<int>(matches.size());
}

int MarketView::ShopSearchPageCount(ShopQuery const& query) const
{
    return PagesFor(ShopResultCount(query), SearchPageStride);
}

ShopEntry MarketView::ShopEntryFor(Seller const& seller) const
{
    ShopEntry entry;
    entry.seller = &seller;
    entry.shop_address = ShopAddress(seller);
    entry.shop_name = seller.shop_name;
    entry.nickname = seller.nickname;
    entry.keeper_link = SellerLink(seller);
    entry.place = seller.place;
    entry.credit_value = DecimalText(seller.credit_level);
    entry.mall = IsMall(seller);
    return entry;
}

std::vector<ShopEntry> MarketView::ShopSearchEntries(ShopQuery const& query, int offset) const
{
    std::vector<ShopEntry> entries;
    auto const matches = ShopMatches(query);
    if (matches.empty() || offset < 0)
        return entries;
    int const end = std::min(ShopResultCount(query), offset + m_scenario->shop_search_page_size);
    // With a page-count switch the matches repeat until the pages are full.
    for (int index = offset; index < end; ++index)
        entries.push_back(ShopEntryFor(*matches[static_cast<std::size_t>(index) % matches.size()]));
    return entries;
}

std::vector<ShopEntry> MarketView::ShopSearchPage(ShopQuery const& query, int page) const
{
    return ShopSearchEntries(query, (page - 1) * SearchPageStride);
}

int MarketView::SellerRatingPageCount(Seller const& seller) const
{
    return m_scenario->seller_rating_pages ? std::max(0, *m_scenario->seller_rating_pages)
                                           : m_data->SellerRatingPages(seller);
}

std::vector<Text> MarketView::SellerRatingPage(Seller const& seller, int page) const
{
    std::vector<Text> nicknames;
    if (page < 1 || page > SellerRatingPageCount(seller))
        return nicknames;
    int const size = m_scenario->seller_rating_page_size;
    for (int rating = (page - 1) * size; rating < page * size; ++rating)
        nicknames.push_back(m_data->SellerRatingNickname(seller, rating));
    return nicknames;
}

int MarketView::ItemRatingCount(Item const& item) const
{
    return m_scenario->item_rating_count ? std::max(0, *m_scenario->item_rating_count)
                                         : m_data->ItemRatingCount(item);
}

int MarketView::ItemRatingPageCount(Item const& item) const
{
    return PagesFor(ItemRatingCount(item), std::max(1, m_scenario->item_rating_page_size));
}

std::vector<Text> MarketView::ItemRatingPage(Item const& item, int page) const
{
    std::vector<Text> nicknames;
    int const size = std::max(1, m_scenario->item_rating_page_size);
    if (page < 1)
        return nicknames;
    int const end = std::min(ItemRatingCount(item), page * size);
    for (int rating = (page - 1) * size; rating < end; ++rating)
        nicknames.push_back(m_data->ItemRatingNickname(item, rating));
    return nicknames;
}

Text MarketView::ExampleShopAddress() const
{
    return ShopAddress(m_data->ExampleShopSeller());
}

Text MarketView::ExampleItemAddress() const
{
    return ItemLink(m_data->ExampleItem());
}

} // namespace velmora::market
