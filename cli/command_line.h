// The command line of velmora-cli: which collection to run and the controls it sets.
#pragma once

#include "web/endpoints.h"

#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace velmora::cli {

enum class Command {
    Items, // item search: sellers of the items found
    Shops, // shop search
    ShopBuyers, // buyers from a shop's ratings
    ItemBuyers, // buyers from an item's ratings
};

enum class OutputFormat {
    Tsv, // every column from 序号 on, tab-separated, UTF-8, LF
    Export, // the lines of the export file: GBK, CR LF
};

enum class DateWindow {
    AllTime, // 所有时间
    Before, // 早于
    After, // 晚于
    Between, // 介于
};

// Everything the command line says, in UTF-8 as typed. Values left out keep the window's
// design values.
struct CommandLine {
    Command command {Command::Items};
    std::optional<std::string> keyword;
    std::optional<std::string> location;
    std::optional<std::string> category;
    std::optional<std::vector<std::string>> match; // shop, keeper, item
    std::optional<std::string> start_page;
    std::optional<std::string> end_page;
    bool keep_duplicates {false};
    bool filter_mall {false};
    std::optional<std::string> shop_address;
    std::optional<std::string> item_address;
    bool online_only {false};
    bool show_credit {false};
    std::vector<int> levels;
    bool show_date {false};
    DateWindow date_window {DateWindow::AllTime};
    std::string date_bound; // 早于 or 晚于
    std::string date_from, date_to; // 介于
    std::vector<std::pair<std::string, std::string>> endpoints; // NAME=VALUE, in order
    OutputFormat format {OutputFormat::Tsv};
    std::optional<std::string> output_path;
};

struct UsageError {
    std::string message;
};

struct HelpRequested { };

using ParseResult = std::variant<CommandLine, UsageError, HelpRequested>;

// Reads the arguments after the program name. Refuses unknown options, options the command
// does not use, missing values, bad endpoint names and malformed lists.
ParseResult ParseCommandLine(std::vector<std::string> const& arguments);

// The usage text printed with a usage error and for --help.
std::string UsageText();

// "--endpoint NAME=VALUE" for every endpoint, values in UTF-8: the options that point a run at
// the given hosts, as a script or a test passes them.
std::vector<std::string> EndpointOptions(Endpoints const& endpoints);

} // namespace velmora::cli
