#include "cli/progress_line.h"

namespace velmora::cli {

ProgressLine::ProgressLine(std::ostream& err, StandardErrorKind kind)
    : m_err(err)
    , m_enabled(kind == StandardErrorKind::Terminal)
{
}

void ProgressLine::Show(std::int32_t page, int rows)
{
    // Before the first page is under way there is nothing to show.
    if (!m_enabled || page < 1 || (m_drawn && page == m_page && rows == m_rows))
        return;
    m_page = page;
    m_rows = rows;
    Clear();
    Draw();
}

void ProgressLine::WriteLine(std::string_view line)
{
    Clear();
    m_err << line << "\n";
    if (m_enabled && m_page > 0)
        Draw();
    m_err << std::flush;
}

void ProgressLine::Finish()
{
    Clear();
    m_err << std::flush;
}

void ProgressLine::Clear()
{
    if (m_drawn)
        m_err << EraseLine;
    m_drawn = false;
}

void ProgressLine::Draw()
{
    m_err << "velmora-cli: page " << m_page << ", " << m_rows << (m_rows == 1 ? " row" : " rows")
          << std::flush;
    m_drawn = true;
}

} // namespace velmora::cli
