// An update host for tests: records what the update asks of the program and runs the
// posted calls when the test says so.
#pragma once

#include "update/posted_calls.h"
#include "update/update_window.h"

#include <filesystem>
#include <vector>

namespace velmora::testing {

class RecordingUpdateHost final : public UpdateHost {
public:
    Text MainWindowCaption() const override { return main_window_caption; }
    void SetMainWindowAlwaysOnTop(bool on) override { always_on_top = on; }
    void MinimiseMainWindow() override { minimised = true; }
    void ShowMainWindow() override { ++main_window_shown; }
    bool StartScript(std::filesystem::path const& script) override
    {
        started_scripts.push_back(script);
        return script_starts;
    }
    void EndProgram() override { ++end_requests; }
    void PostToUserInterface(std::function<void()> call) override { calls.Post(std::move(call)); }

    Text main_window_caption {"Velmora [2011-1226]"};
    bool always_on_top {true};
    bool minimised {false};
    int main_window_shown {0};
    std::vector<std::filesystem::path> started_scripts;
    bool script_starts {true};
    int end_requests {0};
    PostedCalls calls;
};

}
