#include "update/manifest.h"

#include "text/cut.h"
#include "text/spaces.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr std::string_view LineEnd = "\r\n";
// Bytes 1 to 8 are the key (four GBK characters); bytes 9 and 10 separate it from the
// value, whatever they hold.
constexpr std::int64_t KeyLength = 8;
constexpr std::int64_t ValueStart = 10;

struct ManifestLine {
    Text key;
    Text value;
};

ManifestLine ReadLine(std::string_view raw_line)
{
    Text const line = TrimSpaces(raw_line);
    std::int64_t const length = static_cast<std::int64_t>(line.size());
    return {Cut(line, 0, KeyLength), Cut(line, ValueStart, length - ValueStart)};
}

Text WithoutVersionSeparators(Text version)
{
    std::erase_if(version, [](char byte) { return byte == '-' || byte == '.'; });
    return version;
}

}

std::vector<std::string_view> ManifestLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    if (text.empty())
        return lines;
    std::size_t position = 0;
    for (;;) {
        std::size_t const end = text.find(LineEnd, position);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(position));
            return lines;
        }
        lines.push_back(text.substr(position, end - position));
        position = end + LineEnd.size();
    }
}

UpdateManifest ReadUpdateManifest(std::string_view text, std::string_view product_name)
{
    Text const& product_key = "软件名称"_gbk;
    UpdateManifest manifest;
    for (std::string_view raw_line : ManifestLines(text)) {
        ManifestLine const line = ReadLine(raw_line);
        if (!manifest.section_found) {
            manifest.section_found = line.key == product_key && line.value == product_name;
            continue;
        }
        if (line.key == product_key)
            break;
        if (line.key == "最新版本"_gbk)
            manifest.newest_version = WithoutVersionSeparators(line.value);
        else if (line.key == "下载地址"_gbk)
            manifest.download_address = line.value;
        else if (line.key == "更新说明"_gbk && !line.value.empty())
            manifest.notes += line.value + Text(LineEnd);
    }
    return manifest;
}

}
