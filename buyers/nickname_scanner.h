// The buyers' nicknames on a rating page, one cut at a time. Both rating layouts carry each
// nickname after the marker displayUserNick":"; they differ in where the nickname ends and in
// how many cuts a page gives.
#pragma once

#include "text/gbk.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace velmora {

enum class NicknameEnd {
    // Seller rating pages: up to the next comma, without the comma and the one byte before it
    // (the closing quote); no comma means an empty nickname.
    BeforeCommaLessOne,
    // Item rating pages: up to the next double quote; no quote means an empty nickname.
    BeforeQuote,
};

// Why the scan of a page ended.
enum class ScanEnd {
    NotYet,
    CutLimitReached, // every allowed cut was made; the page may go on
    MarkerRanOut, // no further nickname marker on the page
    EmptyNickname, // a marker with an empty nickname after it
};

// The cutting limits of the two layouts.
constexpr int ShopRatingCutLimit = 40;
constexpr int ItemRatingCutLimit = 15;

class NicknameScanner {
public:
    // page_text is the page with its spaces already removed; it must outlive the scanner.
    NicknameScanner(std::string_view page_text, NicknameEnd end, int cut_limit);

    // The next nickname, trimmed and never empty, or nothing once the scan has ended.
    std::optional<Text> Next();

    ScanEnd End() const { return m_end; }
    int CutsMade() const { return m_cuts_made; }

private:
    std::string_view m_text;
    NicknameEnd m_nickname_end;
    int m_cut_limit;
    int m_cuts_made {0};
    std::size_t m_position {0};
    ScanEnd m_end {ScanEnd::NotYet};
};

}
