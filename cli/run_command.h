// One run of velmora-cli: parse, prepare the form, press the start button, write the rows.
#pragma once

#include "cli/progress_line.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace velmora::cli {

enum ExitStatus : int {
    ExitFinished = 0, // the run ended by itself
    ExitOutputFailed = 1, // the rows could not be written to --output
    ExitUsage = 2, // the command line was refused
    ExitStopped = 130, // SIGINT or SIGTERM stopped the run
};

// Runs the command; rows go to out (or --output), the status log and messages to err. A
// terminal on err also gets a progress line below the log.
int RunCommand(std::vector<std::string> const& arguments, std::ostream& out, std::ostream& err,
    StandardErrorKind err_kind = StandardErrorKind::FileOrPipe);

} // namespace velmora::cli
