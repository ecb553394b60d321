#include "web/request_headers.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

std::string const Accept = "Accept: " + std::string(DefaultAcceptValue) + "\r\n";
std::string const Language = "Accept-Language: zh-cn\r\n";
std::string const Form = "Content-Type: application/x-www-form-urlencoded\r\n";

struct CompletionCase {
    std::string_view what;
    std::string_view extra_headers;
    std::string_view url;
    HttpVerb verb;
    std::string_view post_data;
    std::string expected;
};

TEST(CompleteRequestHeaders, AppendsWhatIsMissingInItsOrder)
{
    CompletionCase const cases[] = {
        {"nothing given", "", "http://h/x", HttpVerb::Get, "", Accept + "Referer: http://h/x\r\n" + Language},
        {"the url exactly as passed, blank included", "", " http://h/x", HttpVerb::Get, "",
            Accept + "Referer:  http://h/x\r\n" + Language},
        {"extra lines come first", "X-One: 1\r\n", "http://h/", HttpVerb::Get, "",
            "X-One: 1\r\n" + Accept + "Referer: http://h/\r\n" + Language},
        {"a last line without its line end is ended", "X-One: 1", "http://h/", HttpVerb::Get, "",
            "X-One: 1\r\n" + Accept + "Referer: http://h/\r\n" + Language},
        {"Accept-Language in any letter case", "accept-LANGUAGE: en\r\n", "http://h/", HttpVerb::Get, "",
            "accept-LANGUAGE: en\r\n" + Accept + "Referer: http://h/\r\n"},
        {"own Accept and Referer", "ACCEPT: text/html\r\nreferer: http://r/\r\n", "http://h/", HttpVerb::Get,
            "", "ACCEPT: text/html\r\nreferer: http://r/\r\n" + Language},
        {"a name inside another name is not that name", "X-Accept: 1\r\n", "http://h/", HttpVerb::Get, "",
            "X-Accept: 1\r\n" + Accept + "Referer: http://h/\r\n" + Language},
        {"POST with data", "", "http://h/", HttpVerb::Post, "a=1&b=2",
            Accept + "Referer: http://h/\r\n" + Language + Form + "Content-Length: 7\r\n"},
        {"POST keeps its own Content-Type", "Content-Type: text/plain\r\n", "http://h/", HttpVerb::Post,
            "abc",
            "Content-Type: text/plain\r\n" + Accept + "Referer: http://h/\r\n" + Language
                + "Content-Length: 3\r\n"},
        {"POST replaces a wrong Content-Length", "Content-Length: 99\r\n", "http://h/", HttpVerb::Post, "abc",
            Accept + "Referer: http://h/\r\n" + Language + Form + "Content-Length: 3\r\n"},
        {"POST without data gets neither line", "", "http://h/", HttpVerb::Post, "",
            Accept + "Referer: http://h/\r\n" + Language},
        {"GET ignores post data", "", "http://h/", HttpVerb::Get, "a=1",
            Accept + "Referer: http://h/\r\n" + Language},
        {"a line break in the url cannot start a header", "", "http://h/x\r\nX-Evil: 1", HttpVerb::Get, "",
            Accept + "Referer: http://h/xX-Evil: 1\r\n" + Language},
    };
    for (auto const& test : cases)
        EXPECT_EQ(
            CompleteRequestHeaders(test.extra_headers, test.url, test.verb, test.post_data), test.expected)
            << test.what;
}

TEST(HeaderLines, SplitsAtLineEndsAndDropsEmptyLines)
{
    EXPECT_EQ(HeaderLines("A: 1\r\n\r\nB: 2\r\nC: 3"), (std::vector<std::string> {"A: 1", "B: 2", "C: 3"}));
    EXPECT_TRUE(HeaderLines("").empty());
}

}
}
