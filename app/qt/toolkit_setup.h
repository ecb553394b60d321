// What the toolkit needs before and after the application object exists, shared by the
// program, the demo and the window tests.
#pragma once

class QApplication;

namespace velmora {

// Before QApplication: the embedded browsers share the window's graphics contexts.
void PrepareToolkit();

// After QApplication, before the first window: one style everywhere, and a CJK font at the
// size the window was designed for, so that every caption fits its control.
void ApplyWindowLook(QApplication& application);

// The font every caption is drawn in.
constexpr char const* WindowFontFamily = "WenQuanYi Micro Hei";
constexpr int WindowFontPixelSize = 12;

}
