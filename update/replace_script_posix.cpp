#include "update/replace_script.h"

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

extern char** environ;

namespace velmora {

ScriptKind NativeScriptKind()
{
    return ScriptKind::PosixShell;
}

std::int64_t CurrentProcessId()
{
    return static_cast<std::int64_t>(getpid());
}

bool StartReplaceScript(std::filesystem::path const& script)
{
    // The script runs in a session of its own with its standard streams on /dev/null, so it
    // neither holds the program's terminal or pipes nor ends with them.
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    if (posix_spawn_file_actions_init(&actions) != 0)
        return false;
    if (posix_spawnattr_init(&attributes) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return false;
    }
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);

    std::string const shell = "/bin/sh";
    std::string const path = script.string();
    char* arguments[] = {const_cast<char*>("sh"), const_cast<char*>(path.c_str()), nullptr};
    pid_t child = 0;
    int const result = posix_spawn(&child, shell.c_str(), &actions, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return result == 0;
}

}
