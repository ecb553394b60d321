// The script that puts the downloaded program in the place of the running one: it waits
// for this process to end (ending it by its process id if it lingers), replaces the program
// file with TMP, starts it and deletes itself.
#pragma once

#include "app/program_file.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace velmora {

enum class ScriptKind {
    WindowsBatch, // "5.bat", GBK bytes
    PosixShell, // "5.sh", the file system's own bytes
};

// The kind of script this platform runs.
ScriptKind NativeScriptKind();

// The downloaded file TMP in the program's folder.
std::filesystem::path DownloadTargetPath(ProgramFile const& program);

// Where the script is written: in the program's folder.
std::filesystem::path ReplaceScriptPath(ScriptKind kind, ProgramFile const& program);

// The script's text for the program file and the running process. Every name is quoted,
// so folders and names with blanks work.
std::string ReplaceScriptText(ScriptKind kind, ProgramFile const& program, std::int64_t process_id);

std::int64_t CurrentProcessId();

// Starts the script without a window and without waiting for it, detached from this
// process so that it outlives it; false when it could not be started.
bool StartReplaceScript(std::filesystem::path const& script);

}
