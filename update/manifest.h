// The update manifest: a GBK text of CR LF lines, each a four-character key, two separator
// bytes and a value, in sections that each start with the key 软件名称 and a product name.
#pragma once

#include "text/gbk.h"

#include <string_view>
#include <vector>

namespace velmora {

struct UpdateManifest {
    bool section_found {false};
    Text newest_version; // the last 最新版本, with every "-" and "." removed
    Text download_address; // the last 下载地址
    Text notes; // every non-empty 更新说明, each followed by CR LF
};

// The lines of a manifest, split at every CR LF; none for an empty text.
std::vector<std::string_view> ManifestLines(std::string_view text);

// Reads the section whose 软件名称 is exactly product_name, up to the next 软件名称.
UpdateManifest ReadUpdateManifest(std::string_view text, std::string_view product_name);

}
