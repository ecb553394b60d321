// Where the running program's file lies, and the bridge between GBK texts and file paths.
#pragma once

#include "text/gbk.h"

#include <filesystem>

namespace velmora {

struct ProgramFile {
    std::filesystem::path directory; // the folder of the program's file, absolute
    std::filesystem::path name; // the file name without its folder

    std::filesystem::path FullPath() const { return directory / name; }
};

// The file of the running program.
ProgramFile RunningProgramFile();

// A path named by a GBK text, and the GBK text of a path. The file system's own names are
// Unicode (UTF-8 bytes on POSIX systems, UTF-16 on Windows); the program's texts are GBK.
std::filesystem::path PathFromText(Text const& text);
Text TextFromPath(std::filesystem::path const& path);

}
