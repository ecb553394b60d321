// velmora-market: serves the sample marketplace on loopback until SIGINT or SIGTERM.
// It prints one NAME=VALUE line per endpoint when it is ready, the form velmora-cli's
// --endpoint option takes.

#include "market/sample_market.h"
#include "text/decimal.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <pthread.h>
#include <string>
#include <string_view>

namespace {

constexpr int UsageError = 2;
constexpr int HighestPort = 65535;

void PrintUsage(std::ostream& out)
{
    out << "usage: velmora-market [--base-port PORT]\n"
           "  Serves the sample marketplace on 127.0.0.1, one port per host (chosen by the\n"
           "  system, or PORT, PORT+1, ... in the order printed), and prints NAME=VALUE for\n"
           "  every endpoint. Stops on Ctrl-C (SIGINT) or SIGTERM.\n";
}

} // namespace

int main(int argc, char** argv)
{
    velmora::market::MarketOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string_view const argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            PrintUsage(std::cout);
            return 0;
        }
        if (argument == "--base-port" && i + 1 < argc) {
            std::string_view const value = argv[++i];
            long long const port = velmora::ReadLeadingInteger(value);
            if (value.empty() || velmora::DecimalText(port) != value || port < 1
                || port + static_cast<long long>(velmora::market::AllMarketHosts.size()) - 1 > HighestPort) {
                std::cerr << "velmora-market: --base-port needs a port from 1 to "
                          << HighestPort - static_cast<int>(velmora::market::AllMarketHosts.size()) + 1
                          << "\n";
                return UsageError;
            }
            options.base_port = static_cast<int>(port);
            continue;
        }
        std::cerr << "velmora-market: unknown argument " << argument << "\n";
        PrintUsage(std::cerr);
        return UsageError;
    }

    // The signals are taken by sigwait below; the server threads inherit the blocked mask.
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    sigaddset(&stop_signals, SIGINT);
    sigaddset(&stop_signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

    velmora::market::SampleMarket market({}, options);
    auto const started = market.Start();
    if (!started) {
        std::cerr << "velmora-market: " << started.message << "\n";
        return 1;
    }
    velmora::Endpoints const hosts = market.Endpoints();
    for (std::string_view name : velmora::Endpoints::Names())
        std::cout << name << "=" << velmora::GbkToUtf8(hosts.Get(name).value_or("")) << "\n";
    std::cout.flush();
    std::cerr << "velmora-market: serving. Open " << hosts.BannerPageUrl << " or http://" << hosts.HomeHost
              << "/ in a browser;\n  example shop " << hosts.ExampleShopAddress << "\n  example item "
              << hosts.ExampleItemAddress << "\n  Ctrl-C stops.\n";

    int received = 0;
    sigwait(&stop_signals, &received);
    market.Stop();
    std::cerr << "velmora-market: stopped\n";
    return 0;
}
