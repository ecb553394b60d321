// A small program that carries the update subsystem without a window: it checks the update
// server named on its command line, answers "yes" to the question, downloads the new file
// and, when the download is complete, hands over to the replacement script and ends. It
// writes what the update window showed to standard output, one line each.
//
//   velmora_update_probe <update server host:port>
//
// Exit status: 0 when it ended for the replacement, 3 when the download did not complete,
// 4 when the check did not lead to a download, 2 on a usage error.

#include "app/desktop.h"
#include "app/program_file.h"
#include "update/auto_update.h"
#include "update/memory_update_window.h"
#include "update/posted_calls.h"
#include "update/replace_script.h"

#include <chrono>
#include <iostream>

namespace {

using namespace velmora;

constexpr int EndedForReplacement = 0;
constexpr int UsageError = 2;
constexpr int DownloadIncomplete = 3;
constexpr int NoDownload = 4;
constexpr auto PollInterval = std::chrono::milliseconds(100);

class ProbeHost final : public UpdateHost {
public:
    Text MainWindowCaption() const override { return Text(MainWindowCaptionText); }
    void SetMainWindowAlwaysOnTop(bool) override { }
    void MinimiseMainWindow() override { }
    void ShowMainWindow() override { }
    bool StartScript(std::filesystem::path const& script) override
    {
        std::cout << "script " << script.string() << std::endl;
        return StartReplaceScript(script);
    }
    void EndProgram() override { ended = true; }
    void PostToUserInterface(std::function<void()> call) override { calls.Post(std::move(call)); }

    static constexpr std::string_view MainWindowCaptionText = "Velmora [2011-1226]";
    PostedCalls calls;
    bool ended {false};
};

}

int main(int argument_count, char** arguments)
{
    if (argument_count != 2) {
        std::cerr << "usage: velmora_update_probe <update server host:port>\n";
        return UsageError;
    }
    Endpoints endpoints = Endpoints::Marketplace();
    endpoints.UpdateServer = arguments[1];

    MemoryUpdateWindow window;
    ProbeHost host;
    RecordingDesktop desktop;
    desktop.next_answer = AnswerYes;
    WindowlessEventPump pump;
    AutoUpdate update(window, host, desktop, pump, endpoints, RunningProgramFile());

    update.OnWindowCreated();
    for (auto const& box : desktop.message_boxes)
        std::cout << "message " << GbkToUtf8(box.caption) << std::endl;

    // The user-interface thread's loop: the download's events arrive as posted calls.
    while (!host.ended && !window.destroyed) {
        bool const running = update.Transfer().State() == DownloadState::Running;
        int const ran = host.calls.WaitAndRun(PollInterval);
        if (!running && ran == 0)
            break;
    }
    for (auto const& line : window.canvas_lines)
        std::cout << "canvas " << line << std::endl;
    std::cout << "caption " << GbkToUtf8(window.caption) << std::endl;
    std::cout << "progress " << window.progress << std::endl;

    if (host.ended)
        return EndedForReplacement;
    return update.Transfer().State() == DownloadState::Idle ? NoDownload : DownloadIncomplete;
}
