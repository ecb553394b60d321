// Keeps the embedded browsers' cookies and the program's cookie store the same: a cookie the
// login page sets goes with the program's own page reads, and a cookie a reply sets to the
// program is known to the browsers. Each side's change is copied to the other once; the copy
// coming back is recognised and goes no further.
#pragma once

#include "web/cookie_store.h"

#include <QNetworkCookie>
#include <QObject>
#include <QUrl>

class QWebEngineCookieStore;

namespace velmora {

// The two forms of one cookie. A domain cookie is written with a leading dot on the
// browser's side; a host cookie without one.
Cookie ToCookie(QNetworkCookie const& browser_cookie);
QNetworkCookie ToBrowserCookie(Cookie const& cookie);
// The address a cookie belongs to, for the browser's store.
QUrl CookieOrigin(Cookie const& cookie);

class CookieMirror {
public:
    // Starts mirroring: the store's cookies go to the browser, the browser's to the store,
    // and every later change either way.
    CookieMirror(QWebEngineCookieStore& browser_cookies, CookieStore& store);
    ~CookieMirror();
    CookieMirror(CookieMirror const&) = delete;
    CookieMirror& operator=(CookieMirror const&) = delete;

private:
    void OnBrowserCookieAdded(QNetworkCookie const& browser_cookie);
    void OnBrowserCookieRemoved(QNetworkCookie const& browser_cookie);
    void OnStoreChange(CookieChange const& change);

    QWebEngineCookieStore& m_browser_cookies;
    CookieStore& m_store;
    // Receives the browser's signals and the store's changes on the user-interface thread;
    // whatever is still queued for it when the mirror goes is dropped with it.
    QObject m_context;
    CookieObserverId m_observer {NoCookieObserver};
};

}
