// The update window "自动更新": the canvas 画板1 with the percentage and the bar, and the
// hidden progress bar 下载进度条 that holds the download's state.
#pragma once

#include "update/auto_update.h"
#include "update/update_window.h"

#include <QWidget>

#include <memory>

class QProgressBar;

namespace velmora {

class ProgressCanvas;

class UpdateWindowWidget final : public QWidget, public UpdateWindow {
    Q_OBJECT

public:
    static constexpr QSize DesignedSize {428, 76};
    static constexpr QRect CanvasPlace {8, 18, 408, 16};
    static constexpr QRect ProgressBarPlace {8, 112, 408, 16};

    // A top-level window of its own: the main window is not its owner. host is the program
    // around it; it must outlive the window.
    UpdateWindowWidget(
        UpdateHost& host, Desktop& desktop, EventPump& pump, Endpoints endpoints, ProgramFile program);
    ~UpdateWindowWidget() override;

    // The creation handler: the main window steps aside, this window shows and the manifest
    // is checked. The window may be gone (deleted later) when this returns.
    void Start();

    AutoUpdate& Update() { return *m_update; }
    ProgressCanvas& Canvas() { return *m_canvas; }

    // UpdateWindow
    void Show() override;
    void Destroy() override;
    void SetCaption(Text const& caption) override;
    int ProgressPosition() const override;
    void SetProgressPosition(int position) override;
    int CanvasWidth() const override;
    int CanvasHeight() const override;
    void SetCanvasWritePosition(int x, int y) override;
    void WriteCanvasLine(Text const& line) override;
    void FillCanvasRectangle(CanvasRectangle rectangle) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    class WindowBoundHost;

    ProgressCanvas* m_canvas;
    QProgressBar* m_progress_bar;
    std::unique_ptr<WindowBoundHost> m_host;
    std::unique_ptr<AutoUpdate> m_update;
};

}
