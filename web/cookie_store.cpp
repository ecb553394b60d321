#include "web/cookie_store.h"

#include "web/http_transfer.h"

#include <array>
#include <charconv>
#include <curl/curl.h>
#include <map>
#include <mutex>
#include <tuple>

namespace velmora {
namespace {

using Clock = std::chrono::system_clock;

// libcurl's own text for a cookie: tab-separated fields, "#HttpOnly_" before the domain of
// an HttpOnly cookie, expiry 0 for a cookie that lives for the session.
std::string CurlCookieLine(Cookie const& cookie)
{
    long long expires = 0;
    if (cookie.expires) {
        expires
            = std::chrono::duration_cast<std::chrono::seconds>(cookie.expires->time_since_epoch()).count();
        // 0 would read as a session cookie: an expired cookie gets a date that has passed.
        if (expires <= 0)
            expires = 1;
    }
    std::string line = cookie.http_only ? "#HttpOnly_" : "";
    line += cookie.domain;
    line += cookie.include_subdomains ? "\tTRUE\t" : "\tFALSE\t";
    line += cookie.path;
    line += cookie.secure ? "\tTRUE\t" : "\tFALSE\t";
    line += std::to_string(expires);
    line += '\t';
    line += cookie.name;
    line += '\t';
    line += cookie.value;
    return line;
}

std::optional<Cookie> CookieFromCurlLine(std::string_view line)
{
    Cookie cookie;
    constexpr std::string_view HttpOnlyMark = "#HttpOnly_";
    if (line.starts_with(HttpOnlyMark)) {
        cookie.http_only = true;
        line.remove_prefix(HttpOnlyMark.size());
    }
    std::array<std::string_view, 7> fields;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::size_t tab = i + 1 < fields.size() ? line.find('\t') : std::string_view::npos;
        if (tab == std::string_view::npos && i + 1 < fields.size())
            return std::nullopt;
        fields[i] = line.substr(0, tab);
        line = tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
    }
    std::string_view domain = fields[0];
    if (domain.starts_with('.'))
        domain.remove_prefix(1);
    cookie.domain = domain;
    cookie.include_subdomains = fields[1] == "TRUE";
    cookie.path = fields[2];
    cookie.secure = fields[3] == "TRUE";
    long long expires = 0;
    if (std::from_chars(fields[4].data(), fields[4].data() + fields[4].size(), expires).ec != std::errc())
        return std::nullopt;
    if (expires != 0)
        cookie.expires = Clock::time_point(std::chrono::seconds(expires));
    cookie.name = fields[5];
    cookie.value = fields[6];
    return cookie;
}

bool IsStorable(Cookie const& cookie)
{
    auto holds_break
        = [](std::string_view text) { return text.find_first_of("\t\r\n") != std::string_view::npos; };
    return !cookie.domain.empty() && !cookie.name.empty() && !cookie.path.empty()
        && !holds_break(cookie.domain) && !holds_break(cookie.path) && !holds_break(cookie.name)
        && !holds_break(cookie.value) && !cookie.domain.starts_with("#");
}

using CookieKey = std::tuple<std::string, bool, std::string, std::string>;

CookieKey KeyOf(Cookie const& cookie)
{
    std::string domain = cookie.domain;
    for (char& character : domain)
        character
            = character >= 'A' && character <= 'Z' ? static_cast<char>(character - 'A' + 'a') : character;
    return {domain, cookie.include_subdomains, cookie.path, cookie.name};
}

}

struct CookieStore::State {
    // Locks handed to libcurl, one for each kind of data a share can hold.
    std::array<std::mutex, CURL_LOCK_DATA_LAST> share_locks;
    CURLSH* share {nullptr};

    // Guards the handle below and the last look at the jar.
    mutable std::mutex mutex;
    CURL* handle {nullptr}; // the store's own handle on the jar, for adding and listing
    std::map<CookieKey, Cookie> known;

    std::mutex observers_mutex;
    std::vector<std::pair<CookieObserverId, std::function<void(CookieChange const&)>>> observers;
    CookieObserverId last_observer_id {NoCookieObserver};

    std::vector<Cookie> ReadJar() const
    {
        std::vector<Cookie> cookies;
        curl_slist* lines = nullptr;
        if (!handle || curl_easy_getinfo(handle, CURLINFO_COOKIELIST, &lines) != CURLE_OK)
            return cookies;
        auto now = Clock::now();
        for (curl_slist* line = lines; line; line = line->next) {
            if (auto cookie = CookieFromCurlLine(line->data); cookie && !cookie->IsExpiredAt(now))
                cookies.push_back(std::move(*cookie));
        }
        curl_slist_free_all(lines);
        return cookies;
    }

    // What changed since the last look; the look is remembered.
    std::vector<CookieChange> Diff()
    {
        std::map<CookieKey, Cookie> current;
        for (auto& cookie : ReadJar())
            current.insert_or_assign(KeyOf(cookie), std::move(cookie));
        std::vector<CookieChange> changes;
        for (auto const& [key, cookie] : known) {
            if (!current.contains(key))
                changes.push_back({CookieChangeKind::Removed, cookie});
        }
        for (auto const& [key, cookie] : current) {
            auto before = known.find(key);
            if (before == known.end())
                changes.push_back({CookieChangeKind::Added, cookie});
            else if (!(before->second == cookie))
                changes.push_back({CookieChangeKind::Changed, cookie});
        }
        known = std::move(current);
        return changes;
    }

    bool AddToJar(Cookie const& cookie)
    {
        std::string line = CurlCookieLine(cookie);
        return handle && curl_easy_setopt(handle, CURLOPT_COOKIELIST, line.c_str()) == CURLE_OK;
    }

    static void LockShare(CURL*, curl_lock_data data, curl_lock_access, void* state)
    {
        static_cast<State*>(state)->share_locks[data].lock();
    }

    static void UnlockShare(CURL*, curl_lock_data data, void* state)
    {
        static_cast<State*>(state)->share_locks[data].unlock();
    }

    void Tell(std::vector<CookieChange> const& changes, CookieObserverId skipped)
    {
        if (changes.empty())
            return;
        std::vector<std::pair<CookieObserverId, std::function<void(CookieChange const&)>>> listeners;
        {
            std::lock_guard lock(observers_mutex);
            listeners = observers;
        }
        for (auto const& change : changes) {
            for (auto const& [id, observer] : listeners) {
                if (id != skipped)
                    observer(change);
            }
        }
    }
};

CookieStore& CookieStore::Shared()
{
    static CookieStore* const store = new CookieStore();
    return *store;
}

CookieStore::CookieStore()
    : m_state(std::make_unique<State>())
{
    EnsureCurlReady();
    State& state = *m_state;
    state.share = curl_share_init();
    if (!state.share)
        return;
    curl_share_setopt(state.share, CURLSHOPT_LOCKFUNC, &State::LockShare);
    curl_share_setopt(state.share, CURLSHOPT_UNLOCKFUNC, &State::UnlockShare);
    curl_share_setopt(state.share, CURLSHOPT_USERDATA, &state);
    curl_share_setopt(state.share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    state.handle = curl_easy_init();
    if (state.handle)
        curl_easy_setopt(state.handle, CURLOPT_SHARE, state.share);
}

CookieStore::~CookieStore()
{
    if (m_state->handle)
        curl_easy_cleanup(m_state->handle);
    if (m_state->share)
        curl_share_cleanup(m_state->share);
}

bool CookieStore::SetCookie(
    std::string_view url, std::string_view name, std::string_view data, ChangeNotice notice)
{
    auto cookie = CookieFromSetCookie(url, name, data, Clock::now());
    if (!cookie)
        return false;
    if (notice == ChangeNotice::Now)
        return Put(*cookie);
    std::lock_guard lock(m_state->mutex);
    return m_state->AddToJar(*cookie);
}

bool CookieStore::Put(Cookie const& cookie, CookieObserverId origin)
{
    if (!IsStorable(cookie))
        return false;
    std::vector<CookieChange> earlier;
    std::vector<CookieChange> own;
    bool added = false;
    {
        std::lock_guard lock(m_state->mutex);
        earlier = m_state->Diff();
        added = m_state->AddToJar(cookie);
        own = m_state->Diff();
    }
    m_state->Tell(earlier, NoCookieObserver);
    m_state->Tell(own, origin);
    return added;
}

void CookieStore::Remove(Cookie const& cookie, CookieObserverId origin)
{
    Cookie expired = cookie;
    expired.expires = Clock::time_point {};
    Put(expired, origin);
}

void CookieStore::Clear(CookieObserverId origin)
{
    std::vector<CookieChange> earlier;
    std::vector<CookieChange> own;
    {
        std::lock_guard lock(m_state->mutex);
        earlier = m_state->Diff();
        if (m_state->handle)
            curl_easy_setopt(m_state->handle, CURLOPT_COOKIELIST, "ALL");
        own = m_state->Diff();
    }
    m_state->Tell(earlier, NoCookieObserver);
    m_state->Tell(own, origin);
}

std::vector<Cookie> CookieStore::List() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->ReadJar();
}

CookieObserverId CookieStore::Observe(std::function<void(CookieChange const&)> observer)
{
    std::lock_guard lock(m_state->observers_mutex);
    CookieObserverId id = ++m_state->last_observer_id;
    m_state->observers.emplace_back(id, std::move(observer));
    return id;
}

void CookieStore::StopObserving(CookieObserverId id)
{
    std::lock_guard lock(m_state->observers_mutex);
    std::erase_if(m_state->observers, [id](auto const& entry) { return entry.first == id; });
}

void CookieStore::Synchronise(CookieObserverId origin)
{
    std::vector<CookieChange> changes;
    {
        std::lock_guard lock(m_state->mutex);
        changes = m_state->Diff();
    }
    m_state->Tell(changes, origin);
}

void CookieStore::ShareWith(void* curl_easy_handle)
{
    if (m_state->share)
        curl_easy_setopt(static_cast<CURL*>(curl_easy_handle), CURLOPT_SHARE, m_state->share);
}

bool SetCookie(std::string_view url, std::string_view name, std::string_view data)
{
    return CookieStore::Shared().SetCookie(url, name, data);
}

}
