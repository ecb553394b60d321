#include "update/auto_update.h"

#include "export/whole_file.h"
#include "text/spaces.h"
#include "update/replace_script.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

constexpr int FullPercent = 100;
constexpr int TextOffsetFromCentre = 5;
constexpr int TextTop = 3;
constexpr int BarOrigin = -1;

}

int DownloadPercent(std::int64_t done, double total)
{
    if (total <= 0)
        return 0;
    double const percent = std::floor(static_cast<double>(done) / total * FullPercent);
    return static_cast<int>(std::clamp(percent, 0.0, static_cast<double>(FullPercent)));
}

Text NewVersionQuestion(Text const& newest_version, Text const& notes)
{
    Text message = "最新版本："_gbk + newest_version + "\r\n\r\n";
    if (!RemoveSpaces(notes).empty())
        message += notes + "\r\n";
    return message + "是否现在开始更新？"_gbk;
}

AutoUpdate::AutoUpdate(UpdateWindow& window, UpdateHost& host, Desktop& desktop, EventPump& pump,
    Endpoints endpoints, ProgramFile program)
    : m_window(window)
    , m_host(host)
    , m_desktop(desktop)
    , m_pump(pump)
    , m_endpoints(std::move(endpoints))
    , m_program(std::move(program))
{
}

void AutoUpdate::PrepareProgressCanvas()
{
    m_drawing.text_x = m_window.CanvasWidth() / 2 - TextOffsetFromCentre;
    m_drawing.text_y = TextTop;
    m_drawing.bar_left = BarOrigin;
    m_drawing.bar_top = BarOrigin;
    m_drawing.bar_bottom = m_window.CanvasHeight();
    m_window.SetCanvasWritePosition(m_drawing.text_x, m_drawing.text_y);
}

void AutoUpdate::StartUpdateDownload(Text const& address)
{
    // The component calls the routine on its own thread; the window is changed on the
    // user-interface thread only.
    auto routine
        = [this](int code, std::int64_t task, std::int64_t value, std::int64_t detail, std::int64_t spare) {
              m_host.PostToUserInterface([=, this] { OnDownloadEvent(code, task, value, detail, spare); });
              return 0;
          };
    PrepareUpdateTask(m_task, address, TextFromPath(DownloadTargetPath(m_program)), std::move(routine));
    m_download.AddTask(m_task);
}

int AutoUpdate::OnDownloadEvent(int code, std::int64_t, std::int64_t value, std::int64_t, std::int64_t)
{
    switch (code) {
    case DownloadStarted:
        m_window.SetProgressPosition(0);
        m_drawing.total_size = static_cast<double>(value);
        m_window.SetCaption("正在更新"_gbk);
        break;
    case DownloadProgress:
        ShowProgress();
        break;
    case DownloadFinished:
        m_window.SetProgressPosition(FullPercent);
        WriteReplaceScript();
        break;
    default:
        break;
    }
    return 0;
}

void AutoUpdate::ShowProgress()
{
    int const percent = DownloadPercent(m_download.BytesDone(), m_drawing.total_size);
    m_window.SetProgressPosition(percent);
    int const right = static_cast<int>(m_drawing.bar_left + m_window.CanvasWidth() / 100.0 * percent);
    m_window.WriteCanvasLine(std::to_string(percent) + "%");
    m_window.FillCanvasRectangle({m_drawing.bar_left, m_drawing.bar_top, right, m_drawing.bar_bottom});
}

CloseAnswer AutoUpdate::OnCloseRequest()
{
    if (m_window.ProgressPosition() != 0)
        return CloseAnswer::Refuse;
    m_host.EndProgram();
    return CloseAnswer::Allow;
}

void AutoUpdate::WriteReplaceScript()
{
    ScriptKind const kind = NativeScriptKind();
    auto const script = ReplaceScriptPath(kind, m_program);
    bool const started = ReplaceWholeFile(script, ReplaceScriptText(kind, m_program, CurrentProcessId()))
            == WriteOutcome::Written
        && m_host.StartScript(script);
    if (!started) {
        m_window.SetProgressPosition(0);
        return;
    }
    m_host.EndProgram();
}

}
