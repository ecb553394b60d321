// Files that tests read back, and files that a detached process writes.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace velmora::testing {

// The whole file, or nothing when it cannot be opened.
std::optional<std::string> FileBytes(std::filesystem::path const& path);

// Waits until path exists and is not empty; a bound for shared machines, not a timing check.
bool AppearsWithin(std::filesystem::path const& path, std::chrono::seconds limit);

}
