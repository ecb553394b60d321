// The desktop of the real window: message boxes that close themselves, the system's handler
// for addresses, and starting programs.
#pragma once

#include "app/desktop.h"

namespace velmora {

class QtDesktop final : public Desktop {
public:
    // A modal box owned by the active window. Returns the platform's answer number, or
    // AnswerTimedOut when the limit closed it; a limit of 0 or less never closes it.
    int ShowMessageBox(Text const& text, int style, Text const& caption, int limit_milliseconds) override;

    void OpenWithSystemHandler(Text const& url) override;

    // The command line's program is its longest leading part, up to a blank, that names an
    // existing file (so a path with blanks needs no quotes); the rest are its arguments.
    void StartProgram(Text const& command_line) override;

    bool ProgramExists(Text const& path) override;
};

}
