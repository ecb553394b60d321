// The marketplace as it is served right now: the data set seen through the current
// scenario, with the loopback addresses. The pages are written from it, and tests ask it
// which rows a page holds.
#pragma once

#include "market/data_set.h"
#include "market/scenario.h"
#include "web/endpoints.h"

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace velmora::market {

// Results are offset 40 apart on the search pages, whatever a page holds.
inline constexpr int SearchPageStride = 40;

// One entry of an item search page, with the texts a collector cuts from it.
struct ItemEntry {
    Item item;
    Seller const* seller {};
    Text item_link;
    Text title;
    Text place;
    Text seller_link; // the seller's credit page
    Text nickname;
    bool mall {}; // the entry carries the mall's host name
};

// One entry of a shop search page.
struct ShopEntry {
    Seller const* seller {};
    Text shop_address; // "http://" + home host + "/shop/<id>/"
    Text shop_name;
    Text nickname;
    Text keeper_link; // the seller's credit page on the rating host
    Text place;
    Text credit_value; // the data-rank value: the level number in decimal
    bool mall {}; // the entry carries the mall-shop icon
};

// What a shop search asks for, decoded from its address.
struct ShopQuery {
    Text keyword; // GBK; empty matches every shop
    Text category_name; // catName; empty, 所有类目 or 所有类别 mean every category
    Text category_id; // cat; empty means no narrowing by id
    bool in_shop_names {true};
    bool in_keeper_names {true};
    bool in_item_names {true};
};

class MarketView {
public:
    MarketView(
        std::shared_ptr<DataSet const> data, std::shared_ptr<Scenario const> scenario, Endpoints endpoints);

    DataSet const& Data() const { return *m_data; }
    Scenario const& Switches() const { return *m_scenario; }
    Endpoints const& Addresses() const { return m_endpoints; }

    // People.
    OnlineState StateOf(std::string_view nickname) const;
    bool IsMall(Seller const& seller) const;
    // The opening date the shop page and the credit page show: empty for mall shops.
    Text OpeningDateShown(Seller const& seller) const;

    // Addresses.
    Text ItemLink(Item const& item) const;
    Text SellerLink(Seller const& seller) const;
    Text ShopAddress(Seller const& seller) const;
    Text ItemRatingAddress(Item const& item) const; // with currentPage=1, as the item page gives it
    Text SellerRatingPageAddress(Seller const& seller, int page) const;
    Text RankImageAddress(int level) const; // empty for level 0
    Text ProgramFileAddress() const;
    Text DownloadAddress() const; // the manifest's 下载地址
    Text MallHomeAddress() const;

    // Item search.
    KeywordListing const* Listing(std::string_view keyword) const;
    int ItemResultCount(KeywordListing const& listing) const;
    int ItemSearchPageCount(std::string_view keyword) const; // 0 when nothing is found
    ItemLayout LayoutOf(KeywordListing const& listing) const;
    // Whether a page of the keyword comes in the enlarged four-picture layout.
    bool IsEnlargedPage(KeywordListing const& listing, int page) const;
    // The entries from a result offset (the s value), as many as a page holds.
    std::vector<ItemEntry> ItemSearchEntries(std::string_view keyword, int offset) const;
    std::vector<ItemEntry> ItemSearchPage(std::string_view keyword, int page) const;
    ItemEntry EntryFor(Item const& item) const;
    // An item that the search can show: its index lies within its keyword's results.
    std::optional<Item> FindItem(std::string_view id) const;

    // Shop search.
    std::vector<Seller const*> ShopMatches(ShopQuery const& query) const;
    int ShopResultCount(ShopQuery const& query) const;
    int ShopSearchPageCount(ShopQuery const& query) const;
    std::vector<ShopEntry> ShopSearchEntries(ShopQuery const& query, int offset) const;
    std::vector<ShopEntry> ShopSearchPage(ShopQuery const& query, int page) const;
    ShopEntry ShopEntryFor(Seller const& seller) const;

    // A seller's rating pages; a page past the last holds nothing.
    int SellerRatingPageCount(Seller const& seller) const;
    std::vector<Text> SellerRatingPage(Seller const& seller, int page) const;

    // An item's rating pages, 15 nicknames a page by default, the last page fewer.
    int ItemRatingCount(Item const& item) const;
    int ItemRatingPageCount(Item const& item) const;
    std::vector<Text> ItemRatingPage(Item const& item, int page) const;

    Text ExampleShopAddress() const;
    Text ExampleItemAddress() const;

private:
    std::shared_ptr<DataSet const> m_data;
    std::shared_ptr<Scenario const> m_scenario;
    Endpoints m_endpoints;
};

// The rank image name of a credit level ("s_red_1" … "s_crown_5"); empty for 0.
Text RankImageName(int level);

} // namespace velmora::market
