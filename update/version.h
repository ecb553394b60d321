// Program versions: the running one from the main window's caption, and their comparison.
#pragma once

#include "text/gbk.h"

#include <string_view>

namespace velmora {

// The text between the first "[" and the next "]" of the caption, with its first two "-"
// removed: "Velmora [2011-1226]" gives 20111226.
Text RunningVersion(std::string_view main_window_caption);

// A version read as a decimal number by its leading digits; a text without any reads as 0.
double VersionNumber(std::string_view version);

// Whether newest reads as a number greater than running by more than 0.0000001.
bool IsNewerVersion(std::string_view newest, std::string_view running);

}
