#include "web/request_headers.h"

#include "text/decimal.h"
#include "text/letter_case.h"

namespace velmora {
namespace {

constexpr std::string_view LineEnd = "\r\n";

bool IsNamed(std::string_view line, std::string_view name)
{
    return line.size() > name.size() && line[name.size()] == ':' && StartsWithIgnoringCase(line, name);
}

// Calls visit for every line of a header text, with or without its line end.
template<typename Visit> void ForEachLine(std::string_view header_text, Visit visit)
{
    while (!header_text.empty()) {
        std::size_t end = header_text.find(LineEnd);
        if (end == std::string_view::npos) {
            visit(header_text);
            return;
        }
        visit(header_text.substr(0, end));
        header_text.remove_prefix(end + LineEnd.size());
    }
}

void AppendLine(Text& header_text, std::string_view name, std::string_view value)
{
    header_text += name;
    header_text += ": ";
    header_text += value;
    header_text += LineEnd;
}

}

bool HasHeaderLine(std::string_view header_text, std::string_view name)
{
    bool found = false;
    ForEachLine(header_text, [&](std::string_view line) { found = found || IsNamed(line, name); });
    return found;
}

Text CompleteRequestHeaders(
    std::string_view extra_headers, std::string_view url, HttpVerb verb, std::string_view post_data)
{
    bool sets_length = verb == HttpVerb::Post && !post_data.empty();
    Text headers;
    ForEachLine(extra_headers, [&](std::string_view line) {
        // The body's own length is the only true one: a caller's Content-Length is replaced.
        if (sets_length && IsNamed(line, "Content-Length"))
            return;
        headers += line;
        headers += LineEnd;
    });
    if (!HasHeaderLine(headers, "Accept"))
        AppendLine(headers, "Accept", DefaultAcceptValue);
    if (!HasHeaderLine(headers, "Referer")) {
        // A line break inside the address would start a header of its own.
        Text referer(url);
        std::erase_if(referer, [](char character) { return character == '\r' || character == '\n'; });
        AppendLine(headers, "Referer", referer);
    }
    if (!HasHeaderLine(headers, "Accept-Language"))
        AppendLine(headers, "Accept-Language", DefaultAcceptLanguageValue);
    if (sets_length) {
        if (!HasHeaderLine(headers, "Content-Type"))
            AppendLine(headers, "Content-Type", FormContentTypeValue);
        AppendLine(headers, "Content-Length", DecimalText(static_cast<std::int64_t>(post_data.size())));
    }
    return headers;
}

std::vector<std::string> HeaderLines(std::string_view header_text)
{
    std::vector<std::string> lines;
    ForEachLine(header_text, [&](std::string_view line) {
        if (!line.empty())
            lines.emplace_back(line);
    });
    return lines;
}

}
