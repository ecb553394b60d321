#include "export/whole_file.h"

#include "export/disk_sync.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <system_error>

namespace velmora {

namespace {

constexpr int TemporaryNameAttempts = 16;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::FILE* OpenNew(std::filesystem::path const& path)
{
    // "x": fail when the name exists, so that no other file is ever written into.
#ifdef _WIN32
    return _wfopen(path.c_str(), L"wbx");
#else
    return std::fopen(path.c_str(), "wbx");
#endif
}

struct TemporaryFile {
    std::filesystem::path path;
    FileHandle handle;
};

// A new, empty file beside target whose name starts with the target's own.
TemporaryFile CreateTemporaryBeside(std::filesystem::path const& target)
{
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
        std::filesystem::path candidate = target;
        candidate += ".saving-" + std::to_string(random() % 1000000000);
        if (std::FILE* file = OpenNew(candidate))
            return {candidate, FileHandle(file)};
        if (errno != EEXIST)
            break;
    }
    return {};
}

// Where a write to path lands: the file a symbolic link points to, else path itself.
std::filesystem::path WriteTarget(std::filesystem::path const& path)
{
    std::error_code error;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
        auto resolved = std::filesystem::weakly_canonical(path, error);
        if (!error)
            return resolved;
    }
    return path;
}

}

ExistingFile ReadWholeFile(std::filesystem::path const& path)
{
    std::error_code error;
    auto const status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return {ReadOutcome::Missing, {}};
    if (error || std::filesystem::is_directory(status))
        return {ReadOutcome::Failed, {}};
    std::ifstream stream(path, std::ios::binary);
    if (!stream)
        return {ReadOutcome::Failed, {}};
    std::string bytes {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    if (stream.bad())
        return {ReadOutcome::Failed, {}};
    return {ReadOutcome::Read, std::move(bytes)};
}

WriteOutcome ReplaceWholeFile(std::filesystem::path const& path, std::string_view bytes)
{
    std::filesystem::path const target = WriteTarget(path);
    TemporaryFile temporary = CreateTemporaryBeside(target);
    if (!temporary.handle)
        return WriteOutcome::Failed;

    bool written = std::fwrite(bytes.data(), 1, bytes.size(), temporary.handle.get()) == bytes.size()
        && SyncToDisk(temporary.handle.get());
    written = std::fclose(temporary.handle.release()) == 0 && written;

    std::error_code error;
    if (written) {
        auto const old_status = std::filesystem::status(target, error);
        if (!error && std::filesystem::is_regular_file(old_status))
            std::filesystem::permissions(temporary.path, old_status.permissions(), error);
        error.clear();
        std::filesystem::rename(temporary.path, target, error);
        written = !error;
    }
    if (!written) {
        std::filesystem::remove(temporary.path, error);
        return WriteOutcome::Failed;
    }
    return WriteOutcome::Written;
}

}
