#include "update/replace_script.h"

#include <windows.h>

#include <string>

namespace velmora {

namespace {

constexpr DWORD SettleMilliseconds = 1000;

}

ScriptKind NativeScriptKind()
{
    return ScriptKind::WindowsBatch;
}

std::int64_t CurrentProcessId()
{
    return static_cast<std::int64_t>(GetCurrentProcessId());
}

bool StartReplaceScript(std::filesystem::path const& script)
{
    std::wstring command = L"cmd.exe /c \"\"" + script.wstring() + L"\"\"";
    STARTUPINFOW startup {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW | DETACHED_PROCESS,
            nullptr, script.parent_path().c_str(), &startup, &process))
        return false;
    WaitForInputIdle(process.hProcess, SettleMilliseconds);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}
