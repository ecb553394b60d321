// A reply of the sample marketplace before it goes on the wire.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace velmora::market {

inline constexpr char const* GbkHtml = "text/html; charset=gbk";
inline constexpr char const* GbkPlainText = "text/plain; charset=gbk";
inline constexpr char const* GifImage = "image/gif";
inline constexpr char const* ProgramBytes = "application/octet-stream";

inline constexpr int HttpOk = 200;
inline constexpr int HttpNotFound = 404;

struct PageReply {
    int status {HttpOk};
    std::string content_type {GbkHtml};
    std::string body;
    // Further header lines (Set-Cookie may repeat).
    std::vector<std::pair<std::string, std::string>> headers;
};

// The marketplace's "page not found" page, with status 404.
PageReply NotFoundPage();

} // namespace velmora::market
