#include "market/gif_image.h"

namespace velmora::market {

namespace {

// Header, logical screen of 1 × 1 with a two-colour table (black, white).
constexpr unsigned char GifHead[] = {
    'G',
    'I',
    'F',
    '8',
    '9',
    'a',
    0x01,
    0x00,
    0x01,
    0x00,
    0x80,
    0x00,
    0x00, //
    0x00,
    0x00,
    0x00,
    0xFF,
    0xFF,
    0xFF,
};
// Image descriptor, LZW data of one pixel, trailer.
constexpr unsigned char GifTail[] = {
    0x2C,
    0x00,
    0x00,
    0x00,
    0x00,
    0x01,
    0x00,
    0x01,
    0x00,
    0x00, //
    0x02,
    0x02,
    0x44,
    0x01,
    0x00,
    0x3B,
};
static_assert(sizeof GifHead + sizeof GifTail == SmallestGifSize);

// A comment extension with one data block costs its data plus four bytes.
constexpr std::size_t CommentOverhead = 4;
constexpr std::size_t LongestCommentBlock = 255;
constexpr std::size_t LargestComment = LongestCommentBlock + CommentOverhead;
constexpr std::size_t SmallestComment = 1 + CommentOverhead;

void AppendComment(std::string& gif, std::size_t total_bytes)
{
    std::size_t const data = total_bytes - CommentOverhead;
    gif.push_back(static_cast<char>(0x21));
    gif.push_back(static_cast<char>(0xFE));
    gif.push_back(static_cast<char>(data));
    for (std::size_t i = 0; i < data; ++i)
        gif.push_back(static_cast<char>('a' + i % 26));
    gif.push_back('\0');
}

} // namespace

std::string GifOfSize(std::size_t size)
{
    std::string gif(reinterpret_cast<char const*>(GifHead), sizeof GifHead);
    std::string const tail(reinterpret_cast<char const*>(GifTail), sizeof GifTail);
    if (size < SmallestGifSize)
        return (gif + tail).substr(0, size);
    std::size_t padding = size - SmallestGifSize;
    // Whole comments while more than one is needed; leave enough for a last one.
    while (padding > LargestComment) {
        std::size_t const take
            = padding - LargestComment >= SmallestComment ? LargestComment : padding - SmallestComment;
        AppendComment(gif, take);
        padding -= take;
    }
    if (padding >= SmallestComment) {
        AppendComment(gif, padding);
        padding = 0;
    }
    // Too little for a comment of its own: readers stop at the trailer and skip what follows.
    return gif + tail + std::string(padding, '\0');
}

} // namespace velmora::market
