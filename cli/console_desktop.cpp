#include "cli/console_desktop.h"

#include "text/spaces.h"

#include <ostream>

namespace velmora::cli {

int ConsoleDesktop::ShowMessageBox(Text const& text, int style, Text const& caption, int limit_milliseconds)
{
    m_err << GbkToUtf8(caption) << ": " << GbkToUtf8(TrimSpaces(text)) << "\n";
    return AnswerOk;
}

void ConsoleDesktop::OpenWithSystemHandler(Text const& url)
{
    m_err << "velmora-cli: would open " << GbkToUtf8(url) << "\n";
}

void ConsoleDesktop::StartProgram(Text const& command_line)
{
    m_err << "velmora-cli: would start " << GbkToUtf8(command_line) << "\n";
}

} // namespace velmora::cli
