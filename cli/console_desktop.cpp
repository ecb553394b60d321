#include "cli/console_desktop.h"

#include "text/spaces.h"

namespace velmora::cli {

int ConsoleDesktop::ShowMessageBox(Text const& text, int style, Text const& caption, int limit_milliseconds)
{
    m_write_line(GbkToUtf8(caption) + ": " + GbkToUtf8(TrimSpaces(text)));
    return AnswerOk;
}

void ConsoleDesktop::OpenWithSystemHandler(Text const& url)
{
    m_write_line("velmora-cli: would open " + GbkToUtf8(url));
}

void ConsoleDesktop::StartProgram(Text const& command_line)
{
    m_write_line("velmora-cli: would start " + GbkToUtf8(command_line));
}

} // namespace velmora::cli
