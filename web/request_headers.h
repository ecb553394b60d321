// The header lines FetchPage's worker sends: the caller's extra headers, completed with the
// defaults a browser of the time sent.
#pragma once

#include "text/gbk.h"
#include "web/http_transfer.h"

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

constexpr std::string_view DefaultAcceptValue
    = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
      "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*";
constexpr std::string_view DefaultAcceptLanguageValue = "zh-cn";
constexpr std::string_view FormContentTypeValue = "application/x-www-form-urlencoded";

// Whether a line of header_text (lines ended by CR LF) is named name, letter case ignored.
bool HasHeaderLine(std::string_view header_text, std::string_view name);

// The extra headers, each line ended by CR LF, with these lines appended when no line of that
// name is there, in this order: Accept, Referer (the url exactly as passed), Accept-Language.
// A POST with post data also gets the form Content-Type unless one is there, and a
// Content-Length of the post data's size in place of any the caller gave.
Text CompleteRequestHeaders(
    std::string_view extra_headers, std::string_view url, HttpVerb verb, std::string_view post_data);

// The lines of a header text, without their line ends; empty lines are left out.
std::vector<std::string> HeaderLines(std::string_view header_text);

}
