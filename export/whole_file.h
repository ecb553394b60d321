// Reading a file whole, and replacing a file whole without ever leaving it half written.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora {

enum class ReadOutcome {
    Read,
    Missing, // no file at the path
    Failed, // there is a file, but it could not be read
};

struct ExistingFile {
    ReadOutcome outcome;
    std::string bytes;
};

ExistingFile ReadWholeFile(std::filesystem::path const& path);

enum class WriteOutcome {
    Written,
    Failed,
};

// Writes bytes to a new file in the target's folder, makes sure they reach the disk, and
// renames that file over the target. The target is either untouched or holds all of the
// bytes; on failure the temporary file is removed again. A target that is a symbolic link is
// replaced where the link points, and a replaced file keeps its permissions.
WriteOutcome ReplaceWholeFile(std::filesystem::path const& path, std::string_view bytes);

}
