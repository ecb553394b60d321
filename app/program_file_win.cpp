#include "app/program_file.h"

#include <windows.h>

#include <vector>

namespace velmora {

ProgramFile RunningProgramFile()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD const length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) {
            std::filesystem::path file(std::wstring(buffer.data(), length));
            return {file.parent_path(), file.filename()};
        }
        buffer.resize(buffer.size() * 2);
    }
}

}
