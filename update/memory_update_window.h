// The update window kept in memory: for the tests and for programs without a window.
#pragma once

#include "update/update_window.h"

#include <vector>

namespace velmora {

class MemoryUpdateWindow final : public UpdateWindow {
public:
    static constexpr int DesignedCanvasWidth = 408;
    static constexpr int DesignedCanvasHeight = 16;

    void Show() override { visible = true; }
    void Destroy() override { destroyed = true; }
    void SetCaption(Text const& text) override { caption = text; }
    int ProgressPosition() const override { return progress; }
    void SetProgressPosition(int position) override { progress = position; }
    int CanvasWidth() const override { return canvas_width; }
    int CanvasHeight() const override { return canvas_height; }
    void SetCanvasWritePosition(int x, int y) override { write_position = {x, y}; }
    void WriteCanvasLine(Text const& line) override { canvas_lines.push_back(line); }
    void FillCanvasRectangle(CanvasRectangle rectangle) override { rectangles.push_back(rectangle); }

    struct Point {
        int x, y;
        friend bool operator==(Point const&, Point const&) = default;
    };

    bool visible {false};
    bool destroyed {false};
    Text caption {"自动更新"_gbk};
    int progress {0};
    int canvas_width {DesignedCanvasWidth};
    int canvas_height {DesignedCanvasHeight};
    Point write_position {0, 0};
    std::vector<Text> canvas_lines;
    std::vector<CanvasRectangle> rectangles;
};

}
