// The embedded browsers: the hidden login browser 超文本浏览框1 and the banner. Both use the
// toolkit's default browser profile, whose cookie store the program mirrors.
#pragma once

#include <QString>

class QWebEngineView;
class QWidget;

namespace velmora {

// Whether the window carries its embedded browsers. The window tests leave them out where
// they are not the subject; the program always has them.
enum class EmbeddedBrowsers {
    Load,
    None,
};

// A browser view whose pages' script console messages are dropped: they are the pages'
// business, not the user's.
QWebEngineView* MakeBrowserView(QWidget* parent);

}
