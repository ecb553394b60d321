// What only the real main window has beyond its controls: its width, the banner strip, the
// colours of its controls and the update window. The Qt window implements it; the headless
// front end has none (Session::frame stays empty).
#pragma once

#include "app/controls.h"
#include "text/gbk.h"

#include <cstdint>
#include <optional>

namespace velmora {

// A control's background: an RGB colour (0xRRGGBB), or the control's default colour.
using BackgroundColour = std::optional<std::uint32_t>;
constexpr std::uint32_t White = 0xFFFFFF;

class WindowFrame {
public:
    virtual ~WindowFrame() = default;

    // The main window's width in pixels.
    virtual int Width() const = 0;
    virtual void SetWidth(int width) = 0;

    // Shows the page at url in an embedded browser at place (main-window coordinates).
    virtual void ShowBanner(Text const& url, Rect place) = 0;

    virtual BackgroundColour Background(Control control) const = 0;
    virtual void SetBackground(Control control, BackgroundColour colour) = 0;

    // Loads the update window ("自动更新"): not modal, without an owner.
    virtual void OpenUpdateWindow() = 0;
};

}
