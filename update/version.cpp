#include "update/version.h"

#include "web/text_between.h"

namespace velmora {

namespace {

constexpr int RemovedDashes = 2;
constexpr double VersionTolerance = 0.0000001;

}

Text RunningVersion(std::string_view main_window_caption)
{
    Text version = TextBetween(main_window_caption, "[", "]");
    for (int removed = 0; removed < RemovedDashes; ++removed) {
        auto const dash = version.find('-');
        if (dash == Text::npos)
            break;
        version.erase(dash, 1);
    }
    return version;
}

double VersionNumber(std::string_view version)
{
    double number = 0;
    for (char byte : version) {
        if (byte < '0' || byte > '9')
            break;
        number = number * 10 + (byte - '0');
    }
    return number;
}

bool IsNewerVersion(std::string_view newest, std::string_view running)
{
    return VersionNumber(newest) - VersionNumber(running) > VersionTolerance;
}

}
