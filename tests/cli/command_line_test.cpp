#include "app/memory_form.h"
#include "cli/command_line.h"
#include "cli/form_setup.h"
#include "cli/run_command.h"

#include <gtest/gtest.h>
#include <sstream>

namespace velmora::cli {
namespace {

TEST(CommandLine, RefusesWhatNoCommandOrThisCommandDoesNotUse)
{
    struct {
        std::vector<std::string> arguments;
        std::string message_part;
    } const cases[] = {
        {{}, "name a command"},
        {{"sellers"}, "unknown command"},
        {{"items", "--keyword", "x", "--colour", "red"}, "unknown option --colour"},
        {{"shop-buyers", "--shop", "http://a", "--keyword", "x"}, "does not use --keyword"},
        {{"item-buyers", "--item", "http://a", "--show-credit"}, "does not use --show-credit"},
        {{"items", "--keyword", "x", "--start-page", "2"}, "does not use --start-page"},
        {{"items", "--keyword", "x", "--endpoint", "NoSuchHost=127.0.0.1:1"}, "NAME one of"},
        {{"items", "--keyword", "x", "--endpoint", "RatingHost"}, "NAME=VALUE"},
        {{"items", "--keyword", "x", "--format", "csv"}, "tsv or export"},
        {{"items", "--keyword", "x", "--levels", "1,21"}, "from 1 to 20"},
        {{"items", "--keyword", "x", "--levels", "1,x"}, "from 1 to 20"},
        {{"shops", "--match", "shop,owner"}, "shop, keeper and item"},
        {{"items", "--keyword", "x", "--before", "2008-01-01", "--after", "2009-01-01"}, "one date window"},
        {{"items", "--keyword", "x", "--from", "2008-01-01"}, "go together"},
        {{"items"}, "non-empty --keyword"},
        {{"items", "--keyword", ""}, "non-empty --keyword"},
        {{"shop-buyers"}, "needs --shop"},
        {{"items", "--keyword"}, "needs a value"},
        {{"items", "--keyword", "x", "--online-only=yes"}, "takes no value"},
        {{"items", "--keyword", "x", "stray"}, "unexpected argument"},
    };
    for (auto const& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(RunCommand(c.arguments, out, err), ExitUsage) << c.message_part;
        EXPECT_NE(err.str().find(c.message_part), std::string::npos) << err.str();
        EXPECT_NE(err.str().find("usage:"), std::string::npos);
        EXPECT_EQ(out.str(), "");
    }
}

TEST(CommandLine, HelpPrintsUsageAndSucceeds)
{
    std::ostringstream out, err;
    EXPECT_EQ(RunCommand({"--help"}, out, err), ExitFinished);
    EXPECT_NE(out.str().find("velmora-cli shop-buyers --shop URL"), std::string::npos);
}

MemoryForm PreparedForm(std::vector<std::string> const& arguments, Control* start_button = nullptr)
{
    auto parsed = ParseCommandLine(arguments);
    EXPECT_TRUE(std::holds_alternative<CommandLine>(parsed));
    MemoryForm form;
    Control button = PrepareForm(std::get<CommandLine>(parsed), form);
    if (start_button)
        *start_button = button;
    return form;
}

TEST(PrepareForm, DefaultsAreTheWindowsDesignValues)
{
    Control button = Control::None;
    auto form = PreparedForm({"items", "--keyword", "连衣裙"}, &button);
    EXPECT_EQ(button, Control::按钮搜索卖家);
    EXPECT_EQ(form.CurrentTab(), 0);
    EXPECT_TRUE(form.IsChecked(Control::单选框宝贝搜索));
    EXPECT_EQ(form.GetText(Control::编辑框关键字), "连衣裙"_gbk);
    EXPECT_EQ(form.GetText(Control::编辑框结束页), "10");
    EXPECT_TRUE(form.IsChecked(Control::选择框去重复));
    EXPECT_FALSE(form.IsChecked(Control::选择框仅在线));
    EXPECT_TRUE(form.IsChecked(Control::单选框所有时间));

    auto shops = PreparedForm({"shops"}, &button);
    EXPECT_TRUE(shops.IsChecked(Control::单选框店铺搜索));
    EXPECT_EQ(shops.GetText(Control::编辑框起始页), "1");
    EXPECT_EQ(shops.GetText(Control::组合框类别), "所有类目"_gbk);
    EXPECT_TRUE(shops.IsChecked(Control::选择框店铺名));
    EXPECT_TRUE(shops.IsChecked(Control::选择框掌柜名));
    EXPECT_TRUE(shops.IsChecked(Control::选择框宝贝名));
}

TEST(PrepareForm, EachOptionSetsItsControl)
{
    auto form = PreparedForm({"shops", "--keyword=手机", "--location", "杭州", "--category", "男装",
        "--match", "keeper", "--start-page", "3", "--end-page", "x", "--filter-mall", "--online-only",
        "--show-credit", "--levels", "16,1,6", "--show-date", "--from", "2008-01-01", "--to", "2011-01-01"});
    EXPECT_EQ(form.GetText(Control::编辑框关键字), "手机"_gbk);
    EXPECT_EQ(form.GetText(Control::编辑框所在地), "杭州"_gbk);
    EXPECT_EQ(form.GetText(Control::组合框类别), "男装"_gbk);
    EXPECT_FALSE(form.IsChecked(Control::选择框店铺名));
    EXPECT_TRUE(form.IsChecked(Control::选择框掌柜名));
    EXPECT_FALSE(form.IsChecked(Control::选择框宝贝名));
    EXPECT_EQ(form.GetText(Control::编辑框起始页), "3");
    EXPECT_EQ(form.GetText(Control::编辑框结束页), "x");
    EXPECT_TRUE(form.IsChecked(Control::选择框过滤商城用户));
    EXPECT_TRUE(form.IsChecked(Control::选择框仅在线));
    EXPECT_TRUE(form.IsChecked(Control::选择框显示信誉));
    EXPECT_TRUE(form.IsChecked(Control::选择框创店时间));
    for (int level = 1; level <= 20; ++level)
        EXPECT_EQ(form.IsChecked(LevelBox(level)), level == 1 || level == 6 || level == 16) << level;
    EXPECT_TRUE(form.IsChecked(Control::单选框介于));
    EXPECT_EQ(form.GetText(Control::编辑框介于1), "2008-01-01");
    EXPECT_EQ(form.GetText(Control::编辑框介于2), "2011-01-01");

    auto before = PreparedForm({"items", "--keyword", "a", "--before", "2009-5-1", "--keep-duplicates"});
    EXPECT_TRUE(before.IsChecked(Control::单选框早于));
    EXPECT_EQ(before.GetText(Control::编辑框早于), "2009-5-1");
    EXPECT_FALSE(before.IsChecked(Control::选择框去重复));

    Control button = Control::None;
    auto buyers = PreparedForm({"item-buyers", "--item", "http://i/item.htm?id=1"}, &button);
    EXPECT_EQ(button, Control::按钮采集买家2);
    EXPECT_EQ(buyers.CurrentTab(), 1);
    EXPECT_EQ(buyers.GetText(Control::编辑框宝贝地址), "http://i/item.htm?id=1");
}

TEST(EndpointsFor, ReplacesNamedEndpointsInOrder)
{
    auto parsed
        = ParseCommandLine({"shop-buyers", "--shop", "http://a", "--endpoint", "RatingHost=127.0.0.1:1",
            "--endpoint=RatingHost=127.0.0.1:2", "--endpoint", "StatusHost=127.0.0.1:3"});
    ASSERT_TRUE(std::holds_alternative<CommandLine>(parsed));
    auto endpoints = EndpointsFor(std::get<CommandLine>(parsed));
    EXPECT_EQ(endpoints.RatingHost, "127.0.0.1:2");
    EXPECT_EQ(endpoints.StatusHost, "127.0.0.1:3");
    EXPECT_EQ(endpoints.ItemHost, Endpoints::Marketplace().ItemHost);
}

} // namespace
} // namespace velmora::cli
