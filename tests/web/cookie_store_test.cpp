#include "web/cookie_store.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <thread>

namespace velmora {
namespace {

using Clock = std::chrono::system_clock;

struct Heard {
    CookieChangeKind kind;
    std::string name;
    std::string value;
    std::thread::id thread;

    bool operator==(Heard const&) const = default;
};

// An observer that writes down what it hears.
class Ear {
public:
    explicit Ear(CookieStore& store)
        : m_store(store)
        , m_id(store.Observe([this](CookieChange const& change) {
            m_heard.push_back(
                {change.kind, change.cookie.name, change.cookie.value, std::this_thread::get_id()});
        }))
    {
    }
    ~Ear() { m_store.StopObserving(m_id); }

    CookieObserverId Id() const { return m_id; }
    std::vector<Heard> const& HeardSoFar() const { return m_heard; }

private:
    CookieStore& m_store;
    CookieObserverId m_id;
    std::vector<Heard> m_heard;
};

Heard Here(CookieChangeKind kind, std::string name, std::string value)
{
    return {kind, std::move(name), std::move(value), std::this_thread::get_id()};
}

std::vector<std::string> Names(std::vector<Cookie> const& cookies)
{
    std::vector<std::string> names;
    for (auto const& cookie : cookies)
        names.push_back(cookie.name + "=" + cookie.value);
    std::ranges::sort(names);
    return names;
}

TEST(CookieStore, SetCookieAddsReplacesAndAPastDateRemoves)
{
    CookieStore store;
    Ear ear(store);
    ASSERT_TRUE(store.SetCookie("http://h.example/", "a", "1"));
    ASSERT_TRUE(store.SetCookie("http://h.example/", "b", "2"));
    ASSERT_TRUE(store.SetCookie("http://h.example/", "a", "3"));
    EXPECT_EQ(Names(store.List()), (std::vector<std::string> {"a=3", "b=2"}));
    ASSERT_TRUE(store.SetCookie("http://h.example/", "a", "3; expires=Thu, 01 Jan 1970 00:00:01 GMT"));
    EXPECT_EQ(Names(store.List()), (std::vector<std::string> {"b=2"}));
    // The same name at another path is another cookie.
    ASSERT_TRUE(store.SetCookie("http://h.example/dir/page", "b", "4"));
    EXPECT_EQ(Names(store.List()), (std::vector<std::string> {"b=2", "b=4"}));
    EXPECT_EQ(ear.HeardSoFar(),
        (std::vector<Heard> {Here(CookieChangeKind::Added, "a", "1"), Here(CookieChangeKind::Added, "b", "2"),
            Here(CookieChangeKind::Changed, "a", "3"), Here(CookieChangeKind::Removed, "a", "3"),
            Here(CookieChangeKind::Added, "b", "4")}));
    EXPECT_FALSE(store.SetCookie("http://h.example/", "", "nameless"));
}

TEST(CookieStore, MirroringDoesNotEcho)
{
    CookieStore store;
    Ear other(store);
    // The window's mirror: everything it hears goes into its browser, and the browser reports
    // it back, which the window puts into the store as its own change.
    int mirrored = 0;
    CookieObserverId window = 0;
    window = store.Observe([&](CookieChange const& change) {
        ++mirrored;
        if (change.kind != CookieChangeKind::Removed)
            store.Put(change.cookie, window);
    });

    Cookie from_browser;
    from_browser.domain = "h.example";
    from_browser.name = "login";
    from_browser.value = "yes";
    ASSERT_TRUE(store.Put(from_browser, window));
    EXPECT_EQ(mirrored, 0); // its own change is not told back to it
    EXPECT_EQ(other.HeardSoFar(), (std::vector<Heard> {Here(CookieChangeKind::Added, "login", "yes")}));

    ASSERT_TRUE(store.Put(from_browser, window)); // no change: nobody hears of it
    EXPECT_EQ(other.HeardSoFar().size(), 1u);

    ASSERT_TRUE(store.SetCookie("http://h.example/", "reply", "1"));
    EXPECT_EQ(mirrored, 1); // heard once; its put-back changed nothing and ended there
    EXPECT_EQ(other.HeardSoFar().size(), 2u);

    store.Remove(from_browser, window);
    EXPECT_EQ(Names(store.List()), (std::vector<std::string> {"reply=1"}));
    EXPECT_EQ(other.HeardSoFar().back(), Here(CookieChangeKind::Removed, "login", "yes"));
    EXPECT_EQ(mirrored, 1);
    store.StopObserving(window);
}

TEST(CookieStore, PutRefusesWhatCannotBeACookie)
{
    CookieStore store;
    Cookie cookie;
    cookie.domain = "h.example";
    cookie.name = "a";
    cookie.value = "tab\tinside";
    EXPECT_FALSE(store.Put(cookie));
    cookie.value = "fine";
    cookie.domain.clear();
    EXPECT_FALSE(store.Put(cookie));
    EXPECT_TRUE(store.List().empty());
}

TEST(CookieStore, KeepsEveryFieldThroughTheJar)
{
    CookieStore store;
    Cookie cookie;
    cookie.domain = "h.example";
    cookie.include_subdomains = false;
    cookie.path = "/dir";
    cookie.name = "k";
    cookie.value = "v=w; x";
    cookie.secure = true;
    cookie.http_only = true;
    cookie.expires = Clock::time_point(std::chrono::seconds(4102444800)); // 2100-01-01
    ASSERT_TRUE(store.Put(cookie));
    EXPECT_EQ(store.List(), std::vector<Cookie> {cookie});
}

TEST(CookieStore, ChangesStoredForLaterAreToldAtSynchroniseOnItsThread)
{
    CookieStore store;
    Ear ear(store);
    std::thread worker(
        [&] { store.SetCookie("http://h.example/", "late", "1", ChangeNotice::AtNextSynchronise); });
    worker.join();
    EXPECT_TRUE(ear.HeardSoFar().empty());
    EXPECT_EQ(Names(store.List()), (std::vector<std::string> {"late=1"}));
    store.Synchronise();
    EXPECT_EQ(ear.HeardSoFar(), (std::vector<Heard> {Here(CookieChangeKind::Added, "late", "1")}));
}

TEST(CookieStore, ManyThreadsStoreIntoOneJar)
{
    CookieStore store;
    constexpr int Threads = 4;
    constexpr int CookiesEach = 50;
    std::vector<std::thread> threads;
    for (int t = 0; t < Threads; ++t) {
        threads.emplace_back([&store, t] {
            for (int i = 0; i < CookiesEach; ++i) {
                store.SetCookie("http://h.example/", "c" + std::to_string(t) + "_" + std::to_string(i), "v",
                    ChangeNotice::AtNextSynchronise);
                store.List();
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(store.List().size(), static_cast<std::size_t>(Threads * CookiesEach));
}

TEST(CookieStore, ClearRemovesEveryCookieAndTellsObservers)
{
    CookieStore store;
    store.SetCookie("http://h.example/", "a", "1");
    store.SetCookie("http://k.example/", "b", "2");
    Ear ear(store);
    store.Clear();
    EXPECT_TRUE(store.List().empty());
    EXPECT_EQ(ear.HeardSoFar().size(), 2u);
}

}
}
