#include "app/qt/cookie_mirror.h"

#include <QDateTime>
#include <QThread>
#include <QWebEngineCookieStore>

#include <algorithm>
#include <chrono>
#include <optional>

namespace velmora {

namespace {

using std::chrono::system_clock;

// The program's store keeps expiry dates to the second; the browser to the millisecond.
constexpr auto ExpiryTolerance = std::chrono::seconds(1);

std::string ToBytes(QByteArray const& bytes)
{
    return std::string(bytes.constData(), bytes.size());
}

QByteArray ToByteArray(std::string const& bytes)
{
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

bool SameExpiry(std::optional<system_clock::time_point> a, std::optional<system_clock::time_point> b)
{
    if (!a || !b)
        return !a && !b;
    return (*a > *b ? *a - *b : *b - *a) < ExpiryTolerance;
}

// Whether the store already holds this cookie as it stands. A domain cookie of an address
// host is a host cookie to the browser, so the sub-domain flag is left out of the comparison.
bool StoreHolds(CookieStore const& store, Cookie const& cookie)
{
    auto const cookies = store.List();
    return std::any_of(cookies.begin(), cookies.end(), [&cookie](Cookie const& held) {
        return held.domain == cookie.domain && held.path == cookie.path && held.name == cookie.name
            && held.value == cookie.value && held.secure == cookie.secure
            && held.http_only == cookie.http_only && SameExpiry(held.expires, cookie.expires);
    });
}

// The store's cookie with the same domain, path and name, if any.
std::optional<Cookie> HeldWithSameName(CookieStore const& store, Cookie const& cookie)
{
    for (auto const& held : store.List()) {
        if (held.domain == cookie.domain && held.path == cookie.path && held.name == cookie.name)
            return held;
    }
    return std::nullopt;
}

}

Cookie ToCookie(QNetworkCookie const& browser_cookie)
{
    Cookie cookie;
    QString domain = browser_cookie.domain().toLower();
    cookie.include_subdomains = domain.startsWith(u'.');
    if (cookie.include_subdomains)
        domain.remove(0, 1);
    cookie.domain = domain.toStdString();
    cookie.path = browser_cookie.path().isEmpty() ? std::string("/") : browser_cookie.path().toStdString();
    cookie.name = ToBytes(browser_cookie.name());
    cookie.value = ToBytes(browser_cookie.value());
    cookie.secure = browser_cookie.isSecure();
    cookie.http_only = browser_cookie.isHttpOnly();
    if (!browser_cookie.isSessionCookie()) {
        cookie.expires = system_clock::time_point(
            std::chrono::milliseconds(browser_cookie.expirationDate().toMSecsSinceEpoch()));
    }
    return cookie;
}

QNetworkCookie ToBrowserCookie(Cookie const& cookie)
{
    QNetworkCookie browser_cookie(ToByteArray(cookie.name), ToByteArray(cookie.value));
    // A host cookie carries no domain of its own: its origin's host is its domain.
    if (cookie.include_subdomains)
        browser_cookie.setDomain(QStringLiteral(".") + QString::fromStdString(cookie.domain));
    browser_cookie.setPath(QString::fromStdString(cookie.path));
    browser_cookie.setSecure(cookie.secure);
    browser_cookie.setHttpOnly(cookie.http_only);
    if (cookie.expires) {
        auto const milliseconds
            = std::chrono::duration_cast<std::chrono::milliseconds>(cookie.expires->time_since_epoch());
        browser_cookie.setExpirationDate(QDateTime::fromMSecsSinceEpoch(milliseconds.count(), Qt::UTC));
    }
    return browser_cookie;
}

QUrl CookieOrigin(Cookie const& cookie)
{
    QUrl origin;
    origin.setScheme(cookie.secure ? QStringLiteral("https") : QStringLiteral("http"));
    origin.setHost(QString::fromStdString(cookie.domain));
    origin.setPath(QString::fromStdString(cookie.path));
    return origin;
}

CookieMirror::CookieMirror(QWebEngineCookieStore& browser_cookies, CookieStore& store)
    : m_browser_cookies(browser_cookies)
    , m_store(store)
{
    QObject::connect(&m_browser_cookies, &QWebEngineCookieStore::cookieAdded, &m_context,
        [this](QNetworkCookie const& cookie) { OnBrowserCookieAdded(cookie); });
    QObject::connect(&m_browser_cookies, &QWebEngineCookieStore::cookieRemoved, &m_context,
        [this](QNetworkCookie const& cookie) { OnBrowserCookieRemoved(cookie); });
    m_observer = m_store.Observe([this](CookieChange const& change) {
        if (QThread::currentThread() == m_context.thread()) {
            OnStoreChange(change);
            return;
        }
        QMetaObject::invokeMethod(
            &m_context, [this, change] { OnStoreChange(change); }, Qt::QueuedConnection);
    });

    for (auto const& cookie : m_store.List())
        OnStoreChange({CookieChangeKind::Added, cookie});
    // The browser reports the cookies it holds already as added.
    m_browser_cookies.loadAllCookies();
}

CookieMirror::~CookieMirror()
{
    m_store.StopObserving(m_observer);
}

void CookieMirror::OnBrowserCookieAdded(QNetworkCookie const& browser_cookie)
{
    Cookie const cookie = ToCookie(browser_cookie);
    // The store's own cookie coming back from the browser goes no further.
    if (StoreHolds(m_store, cookie))
        return;
    m_store.Put(cookie, m_observer);
}

void CookieMirror::OnBrowserCookieRemoved(QNetworkCookie const& browser_cookie)
{
    Cookie const cookie = ToCookie(browser_cookie);
    // When the browser replaces a cookie it reports the old one as removed; the store may
    // hold the new one already, which stays.
    auto held = HeldWithSameName(m_store, cookie);
    if (!held || held->value != cookie.value)
        return;
    m_store.Remove(*held, m_observer);
}

void CookieMirror::OnStoreChange(CookieChange const& change)
{
    QNetworkCookie const browser_cookie = ToBrowserCookie(change.cookie);
    if (change.kind == CookieChangeKind::Removed)
        m_browser_cookies.deleteCookie(browser_cookie, CookieOrigin(change.cookie));
    else
        m_browser_cookies.setCookie(browser_cookie, CookieOrigin(change.cookie));
}

}
