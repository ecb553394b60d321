// The switches of the sample marketplace: what the tests change about the pages it serves.
// A default Scenario is the marketplace as its data set describes it.
#pragma once

#include "market/market_host.h"
#include "text/gbk.h"

#include <chrono>
#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace velmora::market {

// A messenger user's state, told by the size of the status image.
enum class OnlineState {
    Online, // 在线
    Mobile, // 手机
    Offline, // 离线
    Unknown, // no state: the service does not know the user
};

// The layout of a keyword's item search result pages.
enum class ItemLayout {
    Normal, // list-view … endlistview
    EnlargedFirstPage, // page 1 in the enlarged four-picture layout, later pages normal
    EnlargedEveryPage, // every page enlarged
    EnlargedFromSecondPage, // page 1 normal, later pages enlarged
};

// What goes wrong with the pages of a host.
enum class PageDamage {
    None,
    CutShort, // only the first half of the bytes, ending inside a double-byte character
    ConnectionDropped, // the full length is announced, half is sent, the connection is closed
    Garbled, // every double quote and every "<" is left out
    ResetMidBody, // the full length is announced, half is sent, the connection is reset
    RandomBytes, // the body replaced by as many bytes of noise (the same noise every time)
    InvalidGbk, // a stray lead byte before the first byte of the page and another as its last
};

// How a host answers in time.
struct HostPace {
    std::chrono::milliseconds delay {0}; // waited before the reply is sent
    bool never_answers {false}; // hold the request, then drop the connection unanswered
    std::chrono::milliseconds chunk_pause {0}; // pause after every chunk of the body
    std::size_t chunk_bytes {1024};
    // 0: every chunk is paced. Otherwise only the chunks that begin in the first paced_bytes
    // bytes are; the rest of the body follows at once (a trickle with an end in sight).
    std::size_t paced_bytes {0};
};

// Byte sizes of the messenger's status images.
struct StatusImageSizes {
    std::size_t online {4270};
    std::size_t mobile {2395};
    std::size_t offline {1142};
    std::size_t unknown {86};
};

// The update server's manifest and program file.
struct UpdateFiles {
    Text newest_version {"2012-01-05"};
    // Empty: the program file on the update server.
    Text download_address;
    // GBK lines of 更新说明; an empty line stays in the manifest as an empty value.
    std::vector<Text> release_notes = DefaultReleaseNotes();
    // Put another product's section (with a higher version) before the program's own.
    bool other_product_first {false};
    // The bytes served as the new program file.
    std::string program_file = DefaultProgramFile();
    // Replaces the whole manifest when set (GBK bytes, served as they are).
    std::optional<std::string> manifest_text;

    static std::vector<Text> DefaultReleaseNotes();
    static std::string DefaultProgramFile();
};

struct Scenario {
    // Page counts. When set, every keyword, shop query, seller or item that has results at
    // all reports this many pages and serves full pages up to it.
    std::optional<int> item_search_pages;
    std::optional<int> shop_search_pages;
    std::optional<int> seller_rating_pages;
    // The number of ratings of every item (15 a page, the last page holds the rest).
    std::optional<int> item_rating_count;

    // Entries on one page. The offsets stay 40 apart whatever the page size is.
    int item_search_page_size {40};
    int shop_search_page_size {40};
    int seller_rating_page_size {20};
    int item_rating_page_size {15};

    // Layout of a keyword's pages (GBK keyword), replacing the data set's choice.
    std::map<Text, ItemLayout> item_layouts;

    // State of a nickname (GBK), replacing the data set's.
    std::map<Text, OnlineState> online_states;
    // Every known user in this state, when set (online_states still wins).
    std::optional<OnlineState> everyone_state;
    // Mall or not for a seller's nickname (GBK), replacing the data set's.
    std::map<Text, bool> mall_sellers;
    StatusImageSizes status_image_sizes;

    // Faults, per host.
    std::map<MarketHost, HostPace> paces;
    // How long a host that never answers holds a request before it drops the connection.
    std::chrono::milliseconds silent_hold {30000};
    // Every request to the host is redirected with this status (301, 302, …) to the same
    // path under "/moved", which the host serves.
    std::map<MarketHost, int> redirects;
    // Set-Cookie values added to every reply of the host.
    std::map<MarketHost, std::vector<std::string>> extra_cookies;
    std::map<MarketHost, PageDamage> damage;
    // Every request to the host is redirected to its own address, so it never ends.
    std::set<MarketHost> redirect_loops;
    // Filler text after the page (no marker in it, no blank) up to this many bytes in all.
    // It is made while it is sent, so a page of any size costs the market no memory.
    std::map<MarketHost, std::size_t> padded_sizes;
    // Extra header lines of about this many bytes in all, sent before the reply's own.
    std::map<MarketHost, std::size_t> header_blocks;
    // When set for a host, its pace, damage, padding, header block, extra cookies and
    // redirects apply only to the requests whose target holds this text (such as "&s=40" for the second
    // result page); the host's other requests are answered as usual.
    std::map<MarketHost, std::string> faults_only_for;

    UpdateFiles update;
};

} // namespace velmora::market
