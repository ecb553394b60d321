#include "market/page_template.h"

#include <mutex>
#include <string>
#include <unordered_map>

namespace velmora::market {

namespace {

constexpr std::string_view SlotOpen = "{{";
constexpr std::string_view SlotClose = "}}";

// Template pieces are converted once; a page is written many times.
Text const& ConvertedPiece(std::string_view utf8)
{
    static std::mutex lock;
    static std::unordered_map<std::string, Text> converted;
    std::lock_guard guard(lock);
    auto [place, inserted] = converted.try_emplace(std::string(utf8));
    if (inserted)
        place->second = Utf8ToGbk(utf8);
    return place->second;
}

} // namespace

Text FillTemplate(std::string_view utf8_template, std::initializer_list<Slot> gbk_values)
{
    Text page;
    std::size_t position = 0;
    while (position < utf8_template.size()) {
        auto const open = utf8_template.find(SlotOpen, position);
        auto const close = open == std::string_view::npos ? open : utf8_template.find(SlotClose, open);
        if (close == std::string_view::npos) {
            page += ConvertedPiece(utf8_template.substr(position));
            break;
        }
        page += ConvertedPiece(utf8_template.substr(position, open - position));
        std::string_view const name
            = utf8_template.substr(open + SlotOpen.size(), close - open - SlotOpen.size());
        for (auto const& [slot, value] : gbk_values) {
            if (slot == name) {
                page += value;
                break;
            }
        }
        position = close + SlotClose.size();
    }
    return page;
}

Text EscapeHtml(std::string_view gbk)
{
    Text escaped;
    escaped.reserve(gbk.size());
    // GBK trail bytes never fall on these four ASCII marks, so a byte test is safe.
    for (char byte : gbk) {
        switch (byte) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped.push_back(byte);
        }
    }
    return escaped;
}

} // namespace velmora::market
