#include "app/program_file.h"

#include <string>

namespace velmora {

std::filesystem::path PathFromText(Text const& text)
{
    std::string const utf8 = GbkToUtf8(text);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

Text TextFromPath(std::filesystem::path const& path)
{
    std::u8string const utf8 = path.u8string();
    return Utf8ToGbk(std::string(utf8.begin(), utf8.end()));
}

}
