// The desktop of the headless front end: message boxes become lines on standard error, and
// nothing is opened or started.
#pragma once

#include "app/desktop.h"

#include <iosfwd>

namespace velmora::cli {

class ConsoleDesktop final : public Desktop {
public:
    explicit ConsoleDesktop(std::ostream& err)
        : m_err(err)
    {
    }

    int ShowMessageBox(Text const& text, int style, Text const& caption, int limit_milliseconds) override;
    void OpenWithSystemHandler(Text const& url) override;
    void StartProgram(Text const& command_line) override;
    bool ProgramExists(Text const&) override { return false; }

private:
    std::ostream& m_err;
};

} // namespace velmora::cli
