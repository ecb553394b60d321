// The update manifest, as the update check reads the program's section from it.
#include "fuzz/fuzz_check.h"
#include "update/auto_update.h"
#include "update/manifest.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    using namespace velmora;
    std::string_view const text(reinterpret_cast<char const*>(data), size);

    auto const lines = ManifestLines(text);
    for (std::string_view line : lines) {
        VELMORA_FUZZ_CHECK(fuzz::LiesWithin(line, text));
        VELMORA_FUZZ_CHECK(line.find("\r\n") == std::string_view::npos);
    }

    UpdateManifest const manifest = ReadUpdateManifest(text, UpdateProductName);
    if (!manifest.section_found) {
        VELMORA_FUZZ_CHECK(
            manifest.newest_version.empty() && manifest.download_address.empty() && manifest.notes.empty());
        return 0;
    }
    VELMORA_FUZZ_CHECK(manifest.newest_version.find_first_of("-.") == Text::npos);
    VELMORA_FUZZ_CHECK(fuzz::IsCutFrom(manifest.download_address, text));
    VELMORA_FUZZ_CHECK(manifest.download_address.find("\r\n") == Text::npos);
    VELMORA_FUZZ_CHECK(manifest.notes.empty() || manifest.notes.ends_with("\r\n"));
    // Every note is one value of the text, so the notes hold no more line ends than the text.
    auto line_ends = [](std::string_view bytes) {
        std::size_t count = 0;
        for (std::size_t at = bytes.find("\r\n"); at != std::string_view::npos;
             at = bytes.find("\r\n", at + 2))
            ++count;
        return count;
    };
    VELMORA_FUZZ_CHECK(line_ends(manifest.notes) <= line_ends(text) + 1);
    return 0;
}
