#include "buyers/nickname_scanner.h"

#include "text/cut.h"
#include "text/marker_search.h"
#include "text/spaces.h"

namespace velmora {

namespace {

constexpr std::string_view NicknameMarker = "displayUserNick";
// The marker and the three bytes ":" after it.
constexpr std::size_t NicknameOffset = 18;

Text CutNickname(std::string_view text, std::size_t start, NicknameEnd end)
{
    if (end == NicknameEnd::BeforeQuote)
        return CutBetween(text, start, FindMarker(text, "\"", start));
    auto comma = FindMarker(text, ",", start);
    if (!comma || *comma < start + 1)
        return {};
    // The byte before the comma is the nickname's closing quote.
    return CutBetween(text, start, *comma - 1);
}

}

NicknameScanner::NicknameScanner(std::string_view page_text, NicknameEnd end, int cut_limit)
    : m_text(page_text)
    , m_nickname_end(end)
    , m_cut_limit(cut_limit)
{
}

std::optional<Text> NicknameScanner::Next()
{
    if (m_end != ScanEnd::NotYet)
        return std::nullopt;
    if (m_cuts_made >= m_cut_limit) {
        m_end = ScanEnd::CutLimitReached;
        return std::nullopt;
    }
    ++m_cuts_made;
    auto marker = FindMarker(m_text, NicknameMarker, m_position);
    if (!marker) {
        m_end = ScanEnd::MarkerRanOut;
        return std::nullopt;
    }
    std::size_t start = *marker + NicknameOffset;
    m_position = start;
    Text nickname = TrimSpaces(CutNickname(m_text, start, m_nickname_end));
    if (nickname.empty()) {
        m_end = ScanEnd::EmptyNickname;
        return std::nullopt;
    }
    return nickname;
}

}
