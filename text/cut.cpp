#include "text/cut.h"

namespace velmora {

Text Cut(std::string_view text, std::int64_t start, std::int64_t length)
{
    if (start < 0 || start >= static_cast<std::int64_t>(text.size()) || length < 1)
        return {};
    return Text(text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length)));
}

Text CutBetween(std::string_view text, std::optional<std::size_t> from, std::optional<std::size_t> to)
{
    if (!from || !to || *to <= *from)
        return {};
    return Cut(text, static_cast<std::int64_t>(*from), static_cast<std::int64_t>(*to - *from));
}

}
