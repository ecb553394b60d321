// The sample marketplace's data: sellers and their shops, buyers, the keywords the item
// search knows and the items and ratings derived from them. Everything is GBK text and
// fixed: two data sets built in any run are equal. No value holds a space.
#pragma once

#include "market/scenario.h"
#include "text/gbk.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace velmora::market {

// A shop category, as the shop search's cat, rootCat and catName values name it.
struct Category {
    Text id;
    Text root_id;
    Text name;
    std::vector<Text> goods; // what its shops sell; the shop search's item-name match
};

struct Seller {
    std::size_t index {};
    Text nickname;
    Text user_id; // digits; the key of the credit page and the rating pages
    Text shop_id; // digits; the shop page is /shop/<shop_id>/ on the home host
    Text shop_name;
    Text place; // a city, as the result entries show it
    int credit_level {}; // 0 to 20; mall shops have 0
    Text opened; // "yyyy-mm-dd"; empty for mall shops
    bool mall {};
    OnlineState state {OnlineState::Unknown};
    std::size_t category {};
};

struct Buyer {
    Text nickname; // may be masked ("t**5") or longer than 20 bytes
    OnlineState state {OnlineState::Unknown};
};

// A keyword of the item search and how its results are made.
struct KeywordListing {
    std::size_t index {};
    Text keyword;
    ItemLayout layout {ItemLayout::Normal};
    int result_count {}; // results without a page-count switch
    long long first_item_id {}; // item i has the id first_item_id + 7·i
    std::vector<std::size_t> seller_pool;
    std::vector<std::vector<Text>> title_words; // one word of each list makes a title
};

struct Item {
    Text id;
    Text title;
    std::size_t listing {};
    int index {}; // position in the keyword's results, 0-based
    std::size_t seller {};
};

class DataSet {
public:
    // The one data set, built on first use.
    static std::shared_ptr<DataSet const> Shared();

    DataSet();

    std::vector<Category> const& Categories() const { return m_categories; }
    std::vector<Seller> const& Sellers() const { return m_sellers; }
    std::vector<Buyer> const& Buyers() const { return m_buyers; }
    std::vector<KeywordListing> const& Listings() const { return m_listings; }

    Seller const* SellerByNickname(std::string_view nickname) const;
    Seller const* SellerByUserId(std::string_view user_id) const;
    Seller const* SellerByShopId(std::string_view shop_id) const;
    Buyer const* BuyerByNickname(std::string_view nickname) const;
    Category const* CategoryById(std::string_view id) const;
    Category const* CategoryByName(std::string_view name) const;

    // The listing of a search query (GBK): the keyword itself, spaces and ASCII letter case
    // ignored. None for a keyword the marketplace has no results for.
    KeywordListing const* ListingForQuery(std::string_view query) const;

    // Item index of a listing; any index from 0 up is an item.
    Item ItemAt(KeywordListing const& listing, int index) const;
    // The listing and index an item id stands for, whatever the number of results.
    std::optional<Item> ItemWithId(std::string_view id) const;

    // A seller's rating pages and the buyer of each rating, numbered from 0 over all pages.
    int SellerRatingPages(Seller const& seller) const;
    Text const& SellerRatingNickname(Seller const& seller, int rating) const;
    // An item's ratings and the buyer of each.
    int ItemRatingCount(Item const& item) const;
    Text const& ItemRatingNickname(Item const& item, int rating) const;

    // The shop and item first shown on the buyer tab: both have ratings over several
    // pages, with masked, over-long and repeated nicknames.
    Seller const& ExampleShopSeller() const { return m_sellers.front(); }
    Item ExampleItem() const { return ItemAt(m_listings.front(), 0); }
    // The seller whose shop is the maker's own.
    Seller const& MakerShopSeller() const;

private:
    std::vector<Category> m_categories;
    std::vector<Seller> m_sellers;
    std::vector<Buyer> m_buyers;
    std::vector<KeywordListing> m_listings;
};

} // namespace velmora::market
