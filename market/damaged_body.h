// The bytes of a reply as a damaged or oversized page sends them: the page changed by its
// damage, then filler text up to a padded size, read piece by piece so that the filler of a
// page of any size is never held in memory.
#pragma once

#include "market/scenario.h"

#include <cstddef>
#include <memory>
#include <string>

namespace velmora::market {

// The filler that pads a page: HTML comments, no blank, no marker any page is cut by.
inline constexpr std::string_view PaddingLine = "<!--padding-->\r\n";

// The page as the damage leaves it. CutShort, Garbled, RandomBytes and InvalidGbk change
// the bytes; ConnectionDropped and ResetMidBody send fewer of them (see DeliveredBytes).
std::string DamagedPage(std::string page, PageDamage damage);

// How many of total bytes go out before the connection ends: half for a dropped or reset
// connection, all of them otherwise.
std::size_t DeliveredBytes(std::size_t total, PageDamage damage);

class DamagedBody {
public:
    // padded_size below the page's size leaves the page as it is.
    DamagedBody(std::string page, std::size_t padded_size);

    std::size_t Size() const { return m_size; }
    // Copies up to length bytes from offset into out (replacing it); the page's bytes first,
    // then the filler.
    void Read(std::size_t offset, std::size_t length, std::string& out) const;

private:
    std::string m_page;
    std::size_t m_size;
};

}
