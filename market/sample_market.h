// The sample marketplace: a real HTTP server on loopback that serves every page the
// program reads, from a small fixed data set, one listening port per endpoint host.
//
//   velmora::market::SampleMarket market;            // the data set as it is
//   if (!market.Start()) { … }                       // binds 127.0.0.1, ports chosen by the system
//   velmora::Endpoints hosts = market.Endpoints();   // every host "127.0.0.1:<port>"
//   market.Configure([](Scenario& s) { s.item_search_pages = 5; });
//   auto rows = market.View().ItemSearchPage("连衣裙"_gbk, 1);
//   auto probes = market.Requests(MarketHost::Status);
//   market.Stop();                                   // also done by the destructor
#pragma once

#include "market/data_set.h"
#include "market/market_host.h"
#include "market/market_view.h"
#include "market/request_log.h"
#include "market/scenario.h"
#include "web/endpoints.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::market {

struct MarketOptions {
    // 0: every host gets a port chosen by the system. Otherwise the hosts listen on
    // base_port, base_port + 1, … in the order of AllMarketHosts.
    int base_port {0};
};

// Whether every host listens; the message names the host and port that could not be bound.
struct StartResult {
    bool listening {};
    std::string message;
    explicit operator bool() const { return listening; }
};

class SampleMarket {
public:
    explicit SampleMarket(Scenario scenario = {}, MarketOptions options = {});
    ~SampleMarket();
    SampleMarket(SampleMarket const&) = delete;
    SampleMarket& operator=(SampleMarket const&) = delete;

    // Binds every host and starts serving. Returns at once when already running.
    [[nodiscard]] StartResult Start();
    // Releases held requests, closes every port and joins the server threads. Safe to call
    // twice; the market can be started again afterwards.
    void Stop();
    bool IsRunning() const;

    // The loopback endpoints: the ten hosts, BannerPageUrl and HelpPageUrl on the update
    // server, MakerShopUrl a shop of the data set, SupportContact, LoginScheme "http://" and
    // the example shop and item. Hosts are empty before the first Start.
    velmora::Endpoints Endpoints() const;
    int Port(MarketHost host) const;

    // Changes the scenario; requests that arrive afterwards see the change. Thread-safe.
    void Configure(std::function<void(Scenario&)> const& change);
    Scenario CurrentScenario() const;

    // The data set seen through the current scenario, with the current addresses: what the
    // pages show right now.
    MarketView View() const;
    DataSet const& Data() const;

    // The requests received so far, oldest first.
    std::vector<RecordedRequest> Requests(MarketHost host) const;
    // By endpoint name ("StatusHost", …); empty for a name that is not a host.
    std::vector<RecordedRequest> Requests(std::string_view endpoint_name) const;
    std::vector<RecordedRequest> AllRequests() const;
    void ClearRequests();
    // Waits until host has received count requests since the last ClearRequests.
    bool WaitForRequests(MarketHost host, std::size_t count, std::chrono::milliseconds limit) const;

private:
    struct Servers;
    std::shared_ptr<DataSet const> m_data;
    std::unique_ptr<Servers> m_servers;
};

} // namespace velmora::market
