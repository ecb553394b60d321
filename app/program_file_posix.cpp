#include "app/program_file.h"

#include <system_error>

namespace velmora {

ProgramFile RunningProgramFile()
{
    // The kernel names the file this process was started from.
    std::error_code error;
    std::filesystem::path file = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        file = std::filesystem::current_path(error) / "velmora";
    return {file.parent_path(), file.filename()};
}

}
