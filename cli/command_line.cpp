#include "cli/command_line.h"

#include "web/endpoints.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <sstream>

namespace velmora::cli {

namespace {

constexpr int LowestCreditLevel = 1;
constexpr int HighestCreditLevel = 20;

struct CommandInfo {
    Command command;
    std::string_view name;
    std::set<std::string_view> options;
};

// The options each command reads; every command also takes the output options.
std::vector<CommandInfo> const& Commands()
{
    static std::vector<CommandInfo> const commands = [] {
        std::set<std::string_view> const output = {"online-only", "endpoint", "format", "output"};
        std::set<std::string_view> const seller_filters
            = {"show-credit", "levels", "show-date", "before", "after", "from", "to"};
        auto with
            = [](std::set<std::string_view> own, std::initializer_list<std::set<std::string_view>> more) {
                  for (auto const& set : more)
                      own.insert(set.begin(), set.end());
                  return own;
              };
        return std::vector<CommandInfo> {
            {Command::Items, "items",
                with({"keyword", "end-page", "keep-duplicates", "filter-mall"}, {output, seller_filters})},
            {Command::Shops, "shops",
                with({"keyword", "location", "category", "match", "start-page", "end-page", "filter-mall"},
                    {output, seller_filters})},
            {Command::ShopBuyers, "shop-buyers", with({"shop"}, {output})},
            {Command::ItemBuyers, "item-buyers", with({"item"}, {output})},
        };
    }();
    return commands;
}

std::set<std::string_view> const& FlagOptions()
{
    static std::set<std::string_view> const flags
        = {"keep-duplicates", "filter-mall", "online-only", "show-credit", "show-date"};
    return flags;
}

std::set<std::string_view> const& AllOptions()
{
    static std::set<std::string_view> const all = [] {
        std::set<std::string_view> options;
        for (auto const& command : Commands())
            options.insert(command.options.begin(), command.options.end());
        return options;
    }();
    return all;
}

std::vector<std::string> SplitList(std::string const& text)
{
    std::vector<std::string> items;
    std::stringstream stream(text);
    std::string item;
    while (std::getline(stream, item, ','))
        items.push_back(item);
    return items;
}

std::optional<UsageError> ApplyOption(CommandLine& line, std::string_view name, std::string const& value)
{
    if (name == "keyword")
        line.keyword = value;
    else if (name == "location")
        line.location = value;
    else if (name == "category")
        line.category = value;
    else if (name == "start-page")
        line.start_page = value;
    else if (name == "end-page")
        line.end_page = value;
    else if (name == "shop")
        line.shop_address = value;
    else if (name == "item")
        line.item_address = value;
    else if (name == "keep-duplicates")
        line.keep_duplicates = true;
    else if (name == "filter-mall")
        line.filter_mall = true;
    else if (name == "online-only")
        line.online_only = true;
    else if (name == "show-credit")
        line.show_credit = true;
    else if (name == "show-date")
        line.show_date = true;
    else if (name == "match") {
        auto items = SplitList(value);
        for (auto const& item : items) {
            if (item != "shop" && item != "keeper" && item != "item")
                return UsageError {"--match takes a list of shop, keeper and item, not '" + item + "'"};
        }
        line.match = items;
    } else if (name == "levels") {
        for (auto const& item : SplitList(value)) {
            int level = 0;
            auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), level);
            if (error != std::errc {} || end != item.data() + item.size() || level < LowestCreditLevel
                || level > HighestCreditLevel)
                return UsageError {"--levels takes credit levels from 1 to 20, not '" + item + "'"};
            line.levels.push_back(level);
        }
    } else if (name == "before" || name == "after") {
        if (line.date_window != DateWindow::AllTime)
            return UsageError {"choose one date window: --before, --after, or --from with --to"};
        line.date_window = name == "before" ? DateWindow::Before : DateWindow::After;
        line.date_bound = value;
    } else if (name == "from" || name == "to") {
        if (line.date_window != DateWindow::AllTime && line.date_window != DateWindow::Between)
            return UsageError {"choose one date window: --before, --after, or --from with --to"};
        line.date_window = DateWindow::Between;
        (name == "from" ? line.date_from : line.date_to) = value;
    } else if (name == "endpoint") {
        auto equals = value.find('=');
        std::string endpoint = value.substr(0, equals);
        auto const names = Endpoints::Names();
        if (equals == std::string::npos || std::find(names.begin(), names.end(), endpoint) == names.end()) {
            std::string known;
            for (auto known_name : names)
                known += (known.empty() ? "" : ", ") + std::string(known_name);
            return UsageError {
                "--endpoint takes NAME=VALUE with NAME one of " + known + "; got '" + value + "'"};
        }
        line.endpoints.emplace_back(endpoint, value.substr(equals + 1));
    } else if (name == "format") {
        if (value == "tsv")
            line.format = OutputFormat::Tsv;
        else if (value == "export")
            line.format = OutputFormat::Export;
        else
            return UsageError {"--format takes tsv or export, not '" + value + "'"};
    } else if (name == "output") {
        line.output_path = value;
    }
    return std::nullopt;
}

} // namespace

ParseResult ParseCommandLine(std::vector<std::string> const& arguments)
{
    if (arguments.empty())
        return UsageError {"name a command: items, shops, shop-buyers or item-buyers"};
    if (arguments[0] == "--help" || arguments[0] == "-h" || arguments[0] == "help")
        return HelpRequested {};

    auto const& commands = Commands();
    auto command = std::find_if(
        commands.begin(), commands.end(), [&](CommandInfo const& info) { return info.name == arguments[0]; });
    if (command == commands.end())
        return UsageError {
            "unknown command '" + arguments[0] + "': use items, shops, shop-buyers or item-buyers"};

    CommandLine line;
    line.command = command->command;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        std::string const& argument = arguments[i];
        if (argument == "--help" || argument == "-h")
            return HelpRequested {};
        if (argument.rfind("--", 0) != 0)
            return UsageError {"unexpected argument '" + argument + "'"};
        std::string name = argument.substr(2);
        std::optional<std::string> inline_value;
        if (auto equals = name.find('='); equals != std::string::npos) {
            inline_value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        if (!AllOptions().contains(name))
            return UsageError {"unknown option --" + name};
        if (!command->options.contains(name))
            return UsageError {"the " + std::string(command->name) + " command does not use --" + name};

        std::string value;
        if (FlagOptions().contains(name)) {
            if (inline_value)
                return UsageError {"--" + name + " takes no value"};
        } else if (inline_value) {
            value = *inline_value;
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            return UsageError {"--" + name + " needs a value"};
        }
        if (auto error = ApplyOption(line, name, value))
            return *error;
    }

    if (line.command == Command::Items && (!line.keyword || line.keyword->empty()))
        return UsageError {"the items command needs a non-empty --keyword"};
    if (line.command == Command::ShopBuyers && !line.shop_address)
        return UsageError {"the shop-buyers command needs --shop URL"};
    if (line.command == Command::ItemBuyers && !line.item_address)
        return UsageError {"the item-buyers command needs --item URL"};
    if (line.date_window == DateWindow::Between && (line.date_from.empty() || line.date_to.empty()))
        return UsageError {"--from and --to go together"};
    return line;
}

std::string UsageText()
{
    return "usage:\n"
           "  velmora-cli items       --keyword TEXT [--end-page TEXT] [--keep-duplicates] [--filter-mall]\n"
           "  velmora-cli shops       [--keyword TEXT] [--location TEXT] [--category TEXT] [--match LIST]\n"
           "                          [--start-page TEXT] [--end-page TEXT] [--filter-mall]\n"
           "  velmora-cli shop-buyers --shop URL\n"
           "  velmora-cli item-buyers --item URL\n"
           "seller commands also take:\n"
           "  [--show-credit] [--levels LIST] [--show-date] [--before DATE | --after DATE | --from DATE --to "
           "DATE]\n"
           "every command takes:\n"
           "  [--online-only] [--endpoint NAME=VALUE]... [--format tsv|export] [--output FILE]\n"
           "defaults: --end-page 10, --start-page 1, --category 所有类目, --match shop,keeper,item,\n"
           "duplicates removed, all dates. The status log goes to standard error.\n";
}

std::vector<std::string> EndpointOptions(Endpoints const& endpoints)
{
    std::vector<std::string> options;
    for (auto name : Endpoints::Names()) {
        options.push_back("--endpoint");
        options.push_back(std::string(name) + "=" + GbkToUtf8(endpoints.Get(name).value_or("")));
    }
    return options;
}

} // namespace velmora::cli
