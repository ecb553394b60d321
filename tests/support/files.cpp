#include "support/files.h"

#include <fstream>
#include <iterator>
#include <thread>

namespace velmora::testing {

namespace {

constexpr std::chrono::milliseconds PollInterval {50};

}

std::optional<std::string> FileBytes(std::filesystem::path const& path)
{
    std::ifstream stream(path, std::ios::binary);
    if (!stream)
        return std::nullopt;
    return std::string {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

bool AppearsWithin(std::filesystem::path const& path, std::chrono::seconds limit)
{
    auto const end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        std::error_code error;
        if (std::filesystem::exists(path, error) && std::filesystem::file_size(path, error) > 0 && !error)
            return true;
        std::this_thread::sleep_for(PollInterval);
    }
    return false;
}

}
