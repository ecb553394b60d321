// One cookie of the shared store, and how SetCookie(url, name, data) turns its arguments into
// one: the way the Windows internet library stores a cookie it is handed.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

struct Cookie {
    std::string domain; // a host or a domain, lower case, without a leading dot
    bool include_subdomains {true};
    std::string path {"/"};
    std::string name;
    std::string value;
    bool secure {false}; // sent over HTTPS only
    bool http_only {false}; // hidden from page scripts
    // Without an expiry date the cookie lives as long as the program.
    std::optional<std::chrono::system_clock::time_point> expires;

    bool operator==(Cookie const&) const = default;

    bool IsExpiredAt(std::chrono::system_clock::time_point now) const { return expires && *expires <= now; }
    // Two cookies with the same key are one cookie: the later replaces the earlier.
    bool HasSameKey(Cookie const& other) const;
};

// The cookie that SetCookie(url, name, data) stores, data being the value followed by the
// attributes of a Set-Cookie line ("v; expires=...; domain=...; path=...; secure; httponly").
// The domain defaults to the address's host and covers its sub-domains; a domain attribute
// must be the host or a domain the host lies in. The path defaults to the address's
// directory. Without expires or max-age the cookie lives for the program run; a date in the
// past gives a cookie that is already expired, which removes a stored one. Empty when the
// address is not an http:// or https:// address, the name is empty, or a text holds a tab
// or line break.
std::optional<Cookie> CookieFromSetCookie(std::string_view url, std::string_view name, std::string_view data,
    std::chrono::system_clock::time_point now);

// The host (lower case, without port) and the path (without query) of an http:// or https://
// address; empty host when the address has another form.
struct CookieAddress {
    std::string host;
    std::string path;
};
CookieAddress CookieAddressOf(std::string_view url);

}
