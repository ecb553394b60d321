// velmora-cli: the collectors without a window, for scripts and scheduled jobs.
#include "cli/run_command.h"
#include "cli/stop_request.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv)
{
    velmora::cli::InstallStopRequestHandlers();
    std::vector<std::string> arguments(argv + 1, argv + argc);
    auto const err_kind = isatty(STDERR_FILENO) ? velmora::cli::StandardErrorKind::Terminal
                                                : velmora::cli::StandardErrorKind::FileOrPipe;
    return velmora::cli::RunCommand(arguments, std::cout, std::cerr, err_kind);
}
