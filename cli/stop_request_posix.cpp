#include "cli/stop_request.h"

#include <atomic>
#include <csignal>

namespace velmora::cli {

namespace {

std::atomic<bool> g_stop_requested {false};

extern "C" void HandleStopSignal(int signal_number)
{
    g_stop_requested.store(true);
    // The next signal of this kind takes its default action: ends the program.
    std::signal(signal_number, SIG_DFL);
}

} // namespace

void InstallStopRequestHandlers()
{
    std::signal(SIGINT, HandleStopSignal);
    std::signal(SIGTERM, HandleStopSignal);
}

bool IsStopRequested()
{
    return g_stop_requested.load();
}
void RequestStop()
{
    g_stop_requested.store(true);
}
void ClearStopRequest()
{
    g_stop_requested.store(false);
}

} // namespace velmora::cli
