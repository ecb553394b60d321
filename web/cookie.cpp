#include "web/cookie.h"

#include "text/decimal.h"

#include <curl/curl.h>

namespace velmora {
namespace {

char LowerAscii(char character)
{
    return character >= 'A' && character <= 'Z' ? static_cast<char>(character - 'A' + 'a') : character;
}

std::string LowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& character : lower)
        character = LowerAscii(character);
    return lower;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool HoldsFieldBreak(std::string_view text)
{
    return text.find_first_of("\t\r\n") != std::string_view::npos;
}

bool IsIpAddress(std::string_view host)
{
    return !host.empty() && host.find_first_not_of("0123456789.") == std::string_view::npos;
}

// RFC 6265's default path: the directory of the address's path.
std::string DefaultPath(std::string_view path)
{
    if (path.empty() || path.front() != '/')
        return "/";
    std::size_t last_slash = path.rfind('/');
    if (last_slash == 0)
        return "/";
    return std::string(path.substr(0, last_slash));
}

// Whether a cookie for domain may be set from host: the host itself or a domain it lies in.
bool DomainCovers(std::string_view domain, std::string_view host)
{
    if (domain == host)
        return true;
    if (IsIpAddress(host) || host.size() <= domain.size())
        return false;
    return host.ends_with(domain) && host[host.size() - domain.size() - 1] == '.';
}

}

bool Cookie::HasSameKey(Cookie const& other) const
{
    return EqualsIgnoringCase(domain, other.domain) && include_subdomains == other.include_subdomains
        && path == other.path && name == other.name;
}

CookieAddress CookieAddressOf(std::string_view url)
{
    std::size_t scheme_end = 0;
    if (url.size() >= 7 && EqualsIgnoringCase(url.substr(0, 7), "http://"))
        scheme_end = 7;
    else if (url.size() >= 8 && EqualsIgnoringCase(url.substr(0, 8), "https://"))
        scheme_end = 8;
    else
        return {};
    std::string_view rest = url.substr(scheme_end);
    std::size_t host_end = rest.find_first_of("/?#");
    std::string_view host_with_port = rest.substr(0, host_end);
    std::string_view host = host_with_port.substr(0, host_with_port.find(':'));
    std::string_view path;
    if (host_end != std::string_view::npos && rest[host_end] == '/') {
        path = rest.substr(host_end);
        path = path.substr(0, path.find_first_of("?#"));
    }
    return {LowerAscii(host), std::string(path)};
}

std::optional<Cookie> CookieFromSetCookie(std::string_view url, std::string_view name, std::string_view data,
    std::chrono::system_clock::time_point now)
{
    CookieAddress address = CookieAddressOf(url);
    name = TrimBlanks(name);
    if (address.host.empty() || name.empty() || HoldsFieldBreak(name) || HoldsFieldBreak(data))
        return std::nullopt;

    Cookie cookie;
    cookie.name = name;
    cookie.domain = address.host;
    cookie.path = DefaultPath(address.path);

    std::size_t value_end = data.find(';');
    cookie.value = TrimBlanks(data.substr(0, value_end));
    std::optional<std::chrono::system_clock::time_point> expires_at;
    std::optional<std::chrono::system_clock::time_point> max_age_end;
    while (value_end != std::string_view::npos) {
        std::size_t start = value_end + 1;
        value_end = data.find(';', start);
        std::string_view attribute
            = data.substr(start, value_end == std::string_view::npos ? value_end : value_end - start);
        std::size_t equals = attribute.find('=');
        std::string_view key = TrimBlanks(attribute.substr(0, equals));
        std::string_view value = equals == std::string_view::npos ? std::string_view()
                                                                  : TrimBlanks(attribute.substr(equals + 1));
        if (EqualsIgnoringCase(key, "expires")) {
            std::string date(value);
            time_t seconds = curl_getdate(date.c_str(), nullptr);
            if (seconds != -1)
                expires_at = std::chrono::system_clock::from_time_t(seconds);
        } else if (EqualsIgnoringCase(key, "max-age")) {
            if (!value.empty() && (value.front() == '-' || (value.front() >= '0' && value.front() <= '9'))) {
                std::int64_t seconds = ReadLeadingInteger(value);
                max_age_end = seconds <= 0 ? std::chrono::system_clock::time_point {}
                                           : now + std::chrono::seconds(seconds);
            }
        } else if (EqualsIgnoringCase(key, "domain")) {
            std::string domain = LowerAscii(value);
            if (domain.starts_with('.'))
                domain.erase(0, 1);
            if (domain.empty())
                continue;
            if (!DomainCovers(domain, cookie.domain))
                return std::nullopt;
            cookie.domain = domain;
        } else if (EqualsIgnoringCase(key, "path")) {
            if (value.starts_with('/'))
                cookie.path = value;
        } else if (EqualsIgnoringCase(key, "secure")) {
            cookie.secure = true;
        } else if (EqualsIgnoringCase(key, "httponly")) {
            cookie.http_only = true;
        }
    }
    cookie.expires = max_age_end ? max_age_end : expires_at;
    return cookie;
}

}
