// The desktop of the headless front end: message boxes become lines on standard error, and
// nothing is opened or started.
#pragma once

#include "app/desktop.h"

#include <functional>
#include <string_view>

namespace velmora::cli {

class ConsoleDesktop final : public Desktop {
public:
    // write_line takes one UTF-8 line without its line end.
    explicit ConsoleDesktop(std::function<void(std::string_view)> write_line)
        : m_write_line(std::move(write_line))
    {
    }

    int ShowMessageBox(Text const& text, int style, Text const& caption, int limit_milliseconds) override;
    void OpenWithSystemHandler(Text const& url) override;
    void StartProgram(Text const& command_line) override;
    bool ProgramExists(Text const&) override { return false; }

private:
    std::function<void(std::string_view)> m_write_line;
};

} // namespace velmora::cli
