// The update window "自动更新" and the program around it, as the update check and the
// download see them. The Qt window adapts real widgets; MemoryUpdateWindow keeps them in
// memory for the tests and for programs without a window. Every text is GBK.
#pragma once

#include "text/gbk.h"

#include <filesystem>
#include <functional>

namespace velmora {

struct CanvasRectangle {
    int left, top, right, bottom;
    friend bool operator==(CanvasRectangle const&, CanvasRectangle const&) = default;
};

class UpdateWindow {
public:
    virtual ~UpdateWindow() = default;

    virtual void Show() = 0;
    // Closes the window without ending the program.
    virtual void Destroy() = 0;
    virtual void SetCaption(Text const& caption) = 0;

    // The hidden progress bar 下载进度条 (0 to 100): the download's state.
    virtual int ProgressPosition() const = 0;
    virtual void SetProgressPosition(int position) = 0;

    // The canvas 画板1.
    virtual int CanvasWidth() const = 0;
    virtual int CanvasHeight() const = 0;
    // Where the next line of text is written.
    virtual void SetCanvasWritePosition(int x, int y) = 0;
    // Writes line at the write position and moves it down one line; when the next line
    // would not fit, the content scrolls up instead.
    virtual void WriteCanvasLine(Text const& line) = 0;
    // A filled rectangle whose outline has the fill colour, painted over what is there.
    virtual void FillCanvasRectangle(CanvasRectangle rectangle) = 0;
};

// What the update asks of the program around its window.
class UpdateHost {
public:
    virtual ~UpdateHost() = default;

    virtual Text MainWindowCaption() const = 0;
    virtual void SetMainWindowAlwaysOnTop(bool on) = 0;
    virtual void MinimiseMainWindow() = 0;
    virtual void ShowMainWindow() = 0;

    // Starts the replacement script without a window and without waiting for it; false when
    // it could not be started.
    virtual bool StartScript(std::filesystem::path const& script) = 0;
    // Ends the whole program.
    virtual void EndProgram() = 0;

    // Runs call on the user-interface thread; may be called from any thread.
    virtual void PostToUserInterface(std::function<void()> call) = 0;
};

}
