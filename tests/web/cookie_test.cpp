#include "web/cookie.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::system_clock;

// 2026-12-11 00:00:00 UTC: a fixed "now" for the expiry cases.
Clock::time_point const Now = Clock::time_point(std::chrono::seconds(1796947200));

Cookie Expect(std::string domain, std::string path, std::string name, std::string value)
{
    Cookie cookie;
    cookie.domain = std::move(domain);
    cookie.path = std::move(path);
    cookie.name = std::move(name);
    cookie.value = std::move(value);
    return cookie;
}

template<typename Change> Cookie With(Cookie cookie, Change change)
{
    change(cookie);
    return cookie;
}

struct CookieCase {
    std::string_view url;
    std::string_view name;
    std::string_view data;
    std::optional<Cookie> expected;
};

TEST(CookieFromSetCookie, StoresAsTheWindowsInternetLibraryDoes)
{
    CookieCase const cases[] = {
        // The domain is the host, sub-domains included; the path is the address's directory.
        {"http://www.shop.example/a/b.htm", "id", "42", Expect("www.shop.example", "/a", "id", "42")},
        {"http://h.example", "id", "42", Expect("h.example", "/", "id", "42")},
        {"http://h.example/", "id", "42", Expect("h.example", "/", "id", "42")},
        {"http://H.Example:8080/x/y/z?q=/1/2", "id", "42", Expect("h.example", "/x/y", "id", "42")},
        {"http://127.0.0.1:5000/x", "id", "42", Expect("127.0.0.1", "/", "id", "42")},
        {"http://h.example/", " id ", " 42 ", Expect("h.example", "/", "id", "42")},
        {"http://h.example/", "id", "", Expect("h.example", "/", "id", "")},
        {"http://h.example/a/b", "id", "v; path=/p; secure; HttpOnly",
            With(Expect("h.example", "/p", "id", "v"), [](Cookie& c) { c.secure = c.http_only = true; })},
        {"http://h.example/a/b", "id", "v; path=relative", Expect("h.example", "/a", "id", "v")},
        {"http://a.example.com/", "id", "v; domain=.Example.com", Expect("example.com", "/", "id", "v")},
        {"http://a.example.com/", "id", "v; domain=a.example.com", Expect("a.example.com", "/", "id", "v")},
        {"http://a.example.com/", "id", "v; domain=", Expect("a.example.com", "/", "id", "v")},
        {"http://a.example.com/", "id", "v; expires=Wed, 09 Jun 2021 10:18:14 GMT",
            With(Expect("a.example.com", "/", "id", "v"),
                [](Cookie& c) { c.expires = Clock::time_point(std::chrono::seconds(1623233894)); })},
        {"http://a.example.com/", "id", "v; expires=not a date", Expect("a.example.com", "/", "id", "v")},
        {"http://a.example.com/", "id", "v; max-age=60",
            With(Expect("a.example.com", "/", "id", "v"), [](Cookie& c) { c.expires = Now + 60s; })},
        {"http://a.example.com/", "id", "v; max-age=60; expires=Wed, 09 Jun 2021 10:18:14 GMT",
            With(Expect("a.example.com", "/", "id", "v"), [](Cookie& c) { c.expires = Now + 60s; })},
        {"http://a.example.com/", "id", "v; max-age=0",
            With(Expect("a.example.com", "/", "id", "v"),
                [](Cookie& c) { c.expires = Clock::time_point {}; })},
        // A domain the host does not lie in cannot be set from it.
        {"http://a.example.com/", "id", "v; domain=other.com", std::nullopt},
        {"http://a.example.com/", "id", "v; domain=ample.com", std::nullopt},
        {"http://a.example.com/", "id", "v; domain=b.a.example.com", std::nullopt},
        {"http://127.0.0.1/", "id", "v; domain=0.0.1", std::nullopt},
        // No cookie without a name, an http address, or with a field break.
        {"http://a.example.com/", "", "v", std::nullopt},
        {"ftp://a.example.com/", "id", "v", std::nullopt},
        {"a.example.com/", "id", "v", std::nullopt},
        {"http://a.example.com/", "id", "v\tw", std::nullopt},
        {"http://a.example.com/", "i\nd", "v", std::nullopt},
    };
    for (auto const& test : cases) {
        auto cookie = CookieFromSetCookie(test.url, test.name, test.data, Now);
        EXPECT_EQ(cookie, test.expected) << test.url << " " << test.name << "=" << test.data;
    }
}

TEST(CookieFromSetCookie, PastDatesGiveExpiredCookies)
{
    auto past = CookieFromSetCookie("http://h/", "id", "v; expires=Thu, 01 Jan 1970 00:00:01 GMT", Now);
    ASSERT_TRUE(past);
    EXPECT_TRUE(past->IsExpiredAt(Now));
    auto session = CookieFromSetCookie("http://h/", "id", "v", Now);
    ASSERT_TRUE(session);
    EXPECT_FALSE(session->IsExpiredAt(Now + 10000h));
}

}
}
