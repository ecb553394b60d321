// Small GIF images of an exact byte size: the messenger's status images are told apart by
// their sizes only, and the rank images are a few dozen bytes.
#pragma once

#include <cstddef>
#include <string>

namespace velmora::market {

// The smallest image this makes: a 1 × 1 picture.
inline constexpr std::size_t SmallestGifSize = 35;

// A valid 1 × 1 GIF of exactly size bytes, padded with comment blocks. Below
// SmallestGifSize it is the first size bytes of the smallest GIF (no longer a picture).
std::string GifOfSize(std::size_t size);

} // namespace velmora::market
