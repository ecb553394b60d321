// Writes the seed inputs of every fuzz target from the sample marketplace: its pages as the
// market serves them, and the addresses, nicknames, keywords, dates and cookies of its data
// set. The pages are written without a server, with the fuzz endpoints as addresses.
//
//   velmora_fuzz_seeds FOLDER     writes FOLDER/<target>/seed-<n> for every target below
#include "app/controls.h"
#include "app/memory_form.h"
#include "buyers/rating_addresses.h"
#include "fuzz/fuzz_endpoints.h"
#include "fuzz/fuzz_input.h"
#include "market/data_set.h"
#include "market/market_router.h"
#include "market/market_view.h"
#include "market/site_pages.h"
#include "market/update_files.h"
#include "sellers/category_texts.h"
#include "sellers/item_search_page.h"
#include "sellers/shop_search_page.h"
#include "text/decimal.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace velmora;
using namespace velmora::market;
using Seeds = std::vector<std::string>;

// How many of each kind of thing the seeds take from the data set: enough to carry every
// layout, few enough to keep the first runs short.
constexpr std::size_t KeywordsTaken = 4;
constexpr std::size_t SellersTaken = 6;
constexpr std::size_t NicknamesTaken = 6;
constexpr int PagesTaken = 2;
// Entries on a seed page: every layout and field is there, and a short page keeps each
// execution fast.
constexpr int EntriesPerSeedPage = 3;
constexpr std::size_t CategoryLinesTaken = 8;

class SeedMarket {
public:
    SeedMarket()
        : m_data(DataSet::Shared())
        , m_view(ViewWith(ShortPages()))
        , m_enlarged_view(ViewWith(EveryPageEnlarged()))
    {
    }

    MarketView const& View() const { return m_view; }
    MarketView const& EnlargedView() const { return m_enlarged_view; }
    DataSet const& Data() const { return *m_data; }

    // The body the market serves at address ("http://" + host + target); empty for an
    // address on no host of the market.
    std::string PageAt(std::string_view address, MarketView const& view) const
    {
        constexpr std::string_view Scheme = "http://";
        if (!address.starts_with(Scheme))
            return {};
        address.remove_prefix(Scheme.size());
        address = address.substr(0, address.find('#'));
        std::size_t const host_end = address.find('/');
        std::string_view const host = address.substr(0, host_end);
        std::string_view const target = host_end == std::string_view::npos ? "/" : address.substr(host_end);
        for (MarketHost market_host : AllMarketHosts) {
            if (view.Addresses().Get(EndpointName(market_host)) == Text(host))
                return Route(market_host, RequestTarget(target), view).body;
        }
        return {};
    }

    Seeds PagesAt(std::vector<Text> const& addresses, MarketView const& view) const
    {
        Seeds pages;
        for (Text const& address : addresses)
            pages.push_back(PageAt(address, view));
        return pages;
    }

    std::vector<Seller const*> Sellers() const
    {
        std::vector<Seller const*> taken;
        for (Seller const& seller : m_data->Sellers()) {
            if (taken.size() < SellersTaken)
                taken.push_back(&seller);
        }
        // A mall shop shows neither rank nor opening date.
        auto mall = std::find_if(m_data->Sellers().begin(), m_data->Sellers().end(),
            [&](Seller const& seller) { return m_view.IsMall(seller); });
        if (mall != m_data->Sellers().end() && std::find(taken.begin(), taken.end(), &*mall) == taken.end())
            taken.push_back(&*mall);
        return taken;
    }

    std::vector<Text> ItemSearchAddresses() const
    {
        std::vector<Text> addresses;
        UrlCodec const codec;
        for (std::size_t i = 0; i < std::min(KeywordsTaken, m_data->Listings().size()); ++i) {
            for (int page = 1; page <= PagesTaken; ++page)
                addresses.push_back(
                    ItemSearchPageUrl(m_view.Addresses(), codec, m_data->Listings()[i].keyword, page));
        }
        return addresses;
    }

private:
    static Scenario ShortPages()
    {
        Scenario scenario;
        scenario.item_search_page_size = EntriesPerSeedPage;
        scenario.shop_search_page_size = EntriesPerSeedPage;
        scenario.seller_rating_page_size = EntriesPerSeedPage;
        scenario.item_rating_page_size = EntriesPerSeedPage;
        return scenario;
    }

    static Scenario EveryPageEnlarged()
    {
        Scenario scenario = ShortPages();
        for (KeywordListing const& listing : DataSet::Shared()->Listings())
            scenario.item_layouts[listing.keyword] = ItemLayout::EnlargedEveryPage;
        return scenario;
    }

    MarketView ViewWith(Scenario scenario) const
    {
        return MarketView(
            m_data, std::make_shared<Scenario const>(std::move(scenario)), fuzz::FuzzEndpoints());
    }

    std::shared_ptr<DataSet const> m_data;
    MarketView m_view;
    MarketView m_enlarged_view;
};

Seeds ItemSearchSeeds(SeedMarket const& market)
{
    return market.PagesAt(market.ItemSearchAddresses(), market.View());
}

Seeds ItemSearchAltSeeds(SeedMarket const& market)
{
    return market.PagesAt(market.ItemSearchAddresses(), market.EnlargedView());
}

// The first and the second result page of a shop search for every shop and for a keyword, and
// the shop pages whose opening dates the shop search reads.
Seeds ShopSearchSeeds(SeedMarket const& market)
{
    MarketView const& view = market.View();
    Endpoints const& hosts = view.Addresses();
    std::vector<Text> addresses;
    for (Text const& keyword : {Text {}, market.Data().Listings().front().keyword}) {
        // The form as a user leaves it: the keyword typed, every category, the name boxes ticked.
        MemoryForm form;
        form.SetText(Control::编辑框关键字, keyword);
        CollectionState const state;
        addresses.push_back(ShopFirstPageUrl(form, state, hosts) + form.GetText(Control::编辑框起始页));
        addresses.push_back(ShopNextPageUrl(form, state.Codec, hosts, PagesTaken));
    }
    for (Seller const* seller : market.Sellers())
        addresses.push_back(view.ShopAddress(*seller));
    return market.PagesAt(addresses, view);
}

Seeds CreditPageSeeds(SeedMarket const& market)
{
    std::vector<Text> addresses;
    for (Seller const* seller : market.Sellers())
        addresses.push_back(market.View().SellerLink(*seller));
    return market.PagesAt(addresses, market.View());
}

Seeds ShopPageSeeds(SeedMarket const& market)
{
    std::vector<Text> addresses;
    for (Seller const* seller : market.Sellers())
        addresses.push_back(market.View().ShopAddress(*seller));
    return market.PagesAt(addresses, market.View());
}

Seeds SellerRatingsSeeds(SeedMarket const& market)
{
    MarketView const& view = market.View();
    Seller const& seller = market.Data().ExampleShopSeller();
    // The pages of the example shop, and one past its last, which answers as page 1 does.
    std::vector<Text> addresses;
    for (int page = 1; page <= PagesTaken; ++page)
        addresses.push_back(view.SellerRatingPageAddress(seller, page));
    addresses.push_back(view.SellerRatingPageAddress(seller, view.SellerRatingPageCount(seller) + 1));
    return market.PagesAt(addresses, view);
}

Seeds ItemRatingsSeeds(SeedMarket const& market)
{
    MarketView const& view = market.View();
    Item const item = market.Data().ExampleItem();
    std::vector<Text> addresses {view.ItemLink(item)};
    Text rating_address = view.ItemRatingAddress(item);
    for (int page = 1; page <= PagesTaken; ++page) {
        if (page > 1)
            AdvanceItemRatingAddress(rating_address, page);
        addresses.push_back(rating_address);
    }
    return market.PagesAt(addresses, view);
}

Seeds ManifestSeeds(SeedMarket const& market)
{
    Scenario other_first;
    other_first.update.other_product_first = true;
    MarketView const other_first_view(
        DataSet::Shared(), std::make_shared<Scenario const>(other_first), fuzz::FuzzEndpoints());
    return {ManifestText(market.View()), ManifestText(other_first_view)};
}

Seeds AddressSplitSeeds(SeedMarket const& market)
{
    MarketView const& view = market.View();
    Seller const& seller = market.Data().ExampleShopSeller();
    Item const item = market.Data().ExampleItem();
    Seeds addresses = {view.ItemLink(item), view.SellerLink(seller), view.ShopAddress(seller),
        view.ItemRatingAddress(item), view.SellerRatingPageAddress(seller, 1), view.DownloadAddress()};
    addresses.push_back(market.ItemSearchAddresses().back());
    return addresses;
}

// The login page's reply headers, as the fetch worker receives them, for the host it
// connected to and, with a domain attribute, for a host inside that domain.
Seeds CookieCopySeeds(SeedMarket const& market)
{
    std::string headers = "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=gbk\r\n";
    std::string with_domain = headers;
    for (std::string const& cookie : LoginCookies()) {
        headers += "Set-Cookie: " + cookie + "\r\n";
        with_domain += "Set-Cookie: " + cookie + "; Domain=.market.test; Max-Age=3600\r\n";
    }
    headers += "\r\n";
    with_domain += "\r\n";
    Text const host = market.View().Addresses().LoginHost;
    return {fuzz::JoinInput(0, {host.substr(0, host.find(':'))}, headers),
        fuzz::JoinInput(0, {"login.market.test"}, with_domain)};
}

Seeds Utf8EncodingSeeds(SeedMarket const& market)
{
    Seeds nicknames;
    for (Buyer const& buyer : market.Data().Buyers()) {
        if (nicknames.size() < NicknamesTaken)
            nicknames.push_back(buyer.nickname);
    }
    nicknames.push_back(market.View().ShopAddress(market.Data().ExampleShopSeller()));
    return nicknames;
}

Seeds GbkEncodingSeeds(SeedMarket const& market)
{
    Seeds keywords;
    for (std::size_t i = 0; i < std::min(KeywordsTaken, market.Data().Listings().size()); ++i)
        keywords.push_back(market.Data().Listings()[i].keyword);
    for (Category const& category : market.Data().Categories()) {
        if (keywords.size() < 2 * KeywordsTaken)
            keywords.push_back(category.name);
    }
    return keywords;
}

// The two uses of TextBetween: the category ids of a category link, and the version in the
// main window's caption.
Seeds TextBetweenSeeds(SeedMarket const& market)
{
    constexpr std::uint8_t Forward = 0;
    constexpr std::uint8_t FromTheEnd = 1;
    Text links = CategoryLinkBlock(market.View().Addresses().ShopSearchHost);
    // The first lines are enough to carry a heading and a few links.
    std::size_t kept = 0;
    for (std::size_t line = 0; line < CategoryLinesTaken && kept < links.size(); ++line) {
        std::size_t const end = links.find("\r\n", kept);
        kept = end == Text::npos ? links.size() : end + 2;
    }
    links.resize(kept);
    return {fuzz::JoinInput(Forward, {"&amp;cat=", "&"}, links),
        fuzz::JoinInput(Forward, {"rootCat=", "&"}, links),
        fuzz::JoinInput(FromTheEnd, {"rootCat=", "&"}, links),
        fuzz::JoinInput(Forward, {"[", "]"}, MainWindowCaption)};
}

// The opening dates of the shops, as the credit pages write them, and the same dates in the
// other forms the time panel accepts.
Seeds DateTextSeeds(SeedMarket const& market)
{
    Seeds dates;
    for (Seller const* seller : market.Sellers()) {
        Text const date = market.View().OpeningDateShown(*seller);
        if (date.size() < std::string_view("yyyy-mm-dd").size())
            continue;
        dates.push_back(date);
        Text slashed = date;
        std::replace(slashed.begin(), slashed.end(), '-', '/');
        dates.push_back(slashed + " 8:05:09");
        dates.push_back(
            date.substr(0, 4) + "年"_gbk + date.substr(5, 2) + "月"_gbk + date.substr(8, 2) + "日"_gbk);
    }
    return dates;
}

struct SeedSource {
    std::string_view target; // the fuzz target's name: fuzz/<target>_fuzz.cpp
    Seeds (*seeds)(SeedMarket const&);
};

constexpr SeedSource SeedSources[] = {
    {"item_search", ItemSearchSeeds},
    {"item_search_alt", ItemSearchAltSeeds},
    {"credit_page", CreditPageSeeds},
    {"shop_page", ShopPageSeeds},
    {"shop_search", ShopSearchSeeds},
    {"seller_ratings", SellerRatingsSeeds},
    {"item_ratings", ItemRatingsSeeds},
    {"manifest", ManifestSeeds},
    {"address_split", AddressSplitSeeds},
    {"cookie_copy", CookieCopySeeds},
    {"utf8_encoding", Utf8EncodingSeeds},
    {"gbk_encoding", GbkEncodingSeeds},
    {"text_between", TextBetweenSeeds},
    {"date_text", DateTextSeeds},
};

bool WriteFile(std::filesystem::path const& path, std::string const& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    std::filesystem::path const folder = argv[1];
    SeedMarket const market;
    for (SeedSource const& source : SeedSources) {
        std::filesystem::path const target_folder = folder / source.target;
        std::filesystem::create_directories(target_folder);
        int written = 0;
        for (std::string const& seed : source.seeds(market)) {
            if (seed.empty())
                continue;
            if (!WriteFile(target_folder / ("seed-" + std::to_string(++written)), seed)) {
                std::fprintf(stderr, "cannot write the seeds of %s\n", std::string(source.target).c_str());
                return 1;
            }
        }
        if (written == 0) {
            // A target without seeds would start from nothing: the market no longer serves
            // what it reads.
            std::fprintf(stderr, "no seeds for %s\n", std::string(source.target).c_str());
            return 1;
        }
        std::printf("%s: %d seeds\n", std::string(source.target).c_str(), written);
    }
    return 0;
}
