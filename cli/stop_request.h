// SIGINT and SIGTERM act as the stop button: the page in progress finishes, the run logs
// its stop line and the rows so far are written.
#pragma once

namespace velmora::cli {

// Installs the handlers. A second signal ends the program at once.
void InstallStopRequestHandlers();

bool IsStopRequested();

// For tests that stop a run in-process.
void RequestStop();
void ClearStopRequest();

} // namespace velmora::cli
