// The progress line velmora-cli keeps at the bottom of a terminal while a run goes on: the page
// being collected and the rows so far. Log lines are written whole above it, so a terminal shows
// the same log as a file or a pipe, which never get a progress line.
#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>

namespace velmora::cli {

enum class StandardErrorKind {
    FileOrPipe,
    Terminal,
};

class ProgressLine {
public:
    ProgressLine(std::ostream& err, StandardErrorKind kind);

    // Redraws the line when the page or the row count has changed since it was drawn.
    void Show(std::int32_t page, int rows);
    // Writes one line of the log or a message (UTF-8, no line end) above the progress line.
    void WriteLine(std::string_view line);
    // Takes the progress line off the screen, leaving the cursor at the start of an empty line.
    void Finish();

private:
    void Clear();
    void Draw();

    std::ostream& m_err;
    bool m_enabled;
    bool m_drawn {false};
    std::int32_t m_page {0};
    int m_rows {0};
};

// Erases the terminal's current line and returns to its start.
inline constexpr std::string_view EraseLine = "\x1b[2K\r";

} // namespace velmora::cli
