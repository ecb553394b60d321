#include "web/address_parts.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

struct SplitCase {
    std::string_view url;
    AddressParts expected;
};

TEST(SplitAddress, HostPortAndPathOfEachForm)
{
    SplitCase const cases[] = {
        {"http://h/x", {"h", 80, "/x"}},
        // Without "http://" the address is read host-first.
        {"h/x", {"h", 80, "/x"}},
        // Text before "http://" does not disturb the split.
        {" http://h/x", {"h", 80, "/x"}},
        {"see http://h/x", {"h", 80, "/x"}},
        // Another scheme is not understood: its name becomes the host.
        {"https://h/x", {"https", 0, "//h/x"}},
        {"http://h:8080/p", {"h", 8080, "/p"}},
        {"http://h", {"h", 80, "/"}},
        {"http://h:81", {"h", 81, "/"}},
        // The host is lower-cased, the path keeps its letter case.
        {"http://Shop.EXAMPLE.com/Item/ABC.htm", {"shop.example.com", 80, "/Item/ABC.htm"}},
        // A port text that does not begin with a digit reads as 0, the default port.
        {"http://h:abc/p", {"h", 0, "/p"}},
        {"http://h:/p", {"h", 0, "/p"}},
        {"http://h:8080x/p", {"h", 8080, "/p"}},
        // The query stays in the path, slashes and addresses inside it included.
        {"http://h/search?q=a/b&u=http://other/", {"h", 80, "/search?q=a/b&u=http://other/"}},
        {"http://h/a/http://b/c", {"h", 80, "/a/http://b/c"}},
        // The host's own letters inside "http" do not move the path's start.
        {"http://t/p", {"t", 80, "/p"}},
        {"http://H/P", {"h", 80, "/P"}},
        {"", {"", 80, "/"}},
    };
    for (auto const& test : cases) {
        AddressParts parts = SplitAddress(test.url);
        EXPECT_EQ(parts.host, test.expected.host) << test.url;
        EXPECT_EQ(parts.port, test.expected.port) << test.url;
        EXPECT_EQ(parts.path, test.expected.path) << test.url;
    }
}

}
}
