// The program's one cookie store. Every page read that uses cookies (ReadUrl, and FetchPage
// when it is given cookie text) sends and stores them here, through libcurl's share
// interface with real locks, so a cookie set by any reply, on any thread, goes with the next
// request of any other. The window mirrors its embedded browser's cookies into this store and
// back: Put with its own observer id as origin, and an observer for the other direction.
#pragma once

#include "web/cookie.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace velmora {

enum class CookieChangeKind {
    Added,
    Changed, // same key, another value, expiry or flag
    Removed, // removed, expired or cleared
};

struct CookieChange {
    CookieChangeKind kind;
    Cookie cookie; // for Removed: the cookie as it was
};

using CookieObserverId = std::uint64_t;
constexpr CookieObserverId NoCookieObserver = 0;

// When observers hear of a change made by SetCookie.
enum class ChangeNotice {
    Now, // on the calling thread, before SetCookie returns
    AtNextSynchronise, // on the thread of the next Synchronise (FetchPage's worker uses this)
};

class CookieStore {
public:
    // The store of the program run; it is never destroyed, so a worker still running at exit
    // cannot outlive it.
    static CookieStore& Shared();

    CookieStore();
    ~CookieStore();
    CookieStore(CookieStore const&) = delete;
    CookieStore& operator=(CookieStore const&) = delete;

    // Stores a cookie as the Windows internet library's InternetSetCookie does (see
    // CookieFromSetCookie); false when the arguments make no cookie.
    bool SetCookie(std::string_view url, std::string_view name, std::string_view data,
        ChangeNotice notice = ChangeNotice::Now);

    // Adds the cookie or replaces the one with the same key; a cookie that has expired
    // removes it. Observers other than origin are told of the change; a put that changes
    // nothing tells nobody, so mirroring cannot echo. False when the cookie cannot be stored
    // (empty name or domain, a tab or line break in a field).
    bool Put(Cookie const& cookie, CookieObserverId origin = NoCookieObserver);

    // Removes the cookie with the same key as cookie, if any.
    void Remove(Cookie const& cookie, CookieObserverId origin = NoCookieObserver);

    // Removes every cookie.
    void Clear(CookieObserverId origin = NoCookieObserver);

    // Every cookie that has not expired.
    std::vector<Cookie> List() const;

    // observer is called for every change, on the thread that makes it known: the caller of
    // Put, Remove, Clear, SetCookie with ChangeNotice::Now, or Synchronise. ReadUrl and
    // FetchPage synchronise on their calling thread. An observer may call back into the store.
    CookieObserverId Observe(std::function<void(CookieChange const&)> observer);
    void StopObserving(CookieObserverId id);

    // Tells observers what changed since the last look: cookies that replies stored by
    // themselves, cookies stored with ChangeNotice::AtNextSynchronise, cookies that expired.
    void Synchronise(CookieObserverId origin = NoCookieObserver);

    // Makes a curl easy handle send and store its cookies here.
    void ShareWith(void* curl_easy_handle);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// SetCookie on the shared store, changes told at once.
bool SetCookie(std::string_view url, std::string_view name, std::string_view data);

}
