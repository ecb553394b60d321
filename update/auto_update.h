// The update window's behaviour: the manifest check when the window is created, the
// download of the new program file with its progress on the canvas, the close rule, and the
// replacement of the running program.
#pragma once

#include "app/desktop.h"
#include "app/program_file.h"
#include "update/download.h"
#include "update/task_param.h"
#include "update/update_window.h"
#include "web/endpoints.h"
#include "web/event_pump.h"

#include <cstdint>

namespace velmora {

// The product whose section the manifest is read for.
constexpr std::string_view UpdateProductName = "Velmora";
constexpr std::string_view UpdateManifestPath = "/update/update.txt";

enum class CloseAnswer {
    Allow, // the window closes and the whole program ends
    Refuse, // a download is under way
};

// Where the percentage and the bar go on 画板1.
struct ProgressDrawing {
    int text_x {0};
    int text_y {0};
    int bar_left {0};
    int bar_top {0};
    int bar_bottom {0};
    double total_size {0};
};

// The percentage of done bytes in total, its fraction dropped, within 0 to 100. An unknown
// total (0) gives 0: the percentage stays at 0 until the download has finished.
int DownloadPercent(std::int64_t done, double total);

// The question of a newer version: the version line, the notes when they hold more than
// spaces, and the question.
Text NewVersionQuestion(Text const& newest_version, Text const& notes);

class AutoUpdate {
public:
    AutoUpdate(UpdateWindow& window, UpdateHost& host, Desktop& desktop, EventPump& pump, Endpoints endpoints,
        ProgramFile program);

    // The window's creation: the main window steps aside, the window shows, the canvas is
    // prepared, and the manifest is checked against the running version.
    void OnWindowCreated();

    // Places the percentage text and the bar on the canvas 画板1.
    void PrepareProgressCanvas();

    // Reads the manifest at manifest_url and reports, or asks whether to update now.
    void CheckForUpdate(Text const& product_name, Text const& manifest_url, Text const& running_version);

    // Fills the task record and hands the task to the download component. An empty or
    // non-http address starts nothing.
    void StartUpdateDownload(Text const& address);

    // The task's events, on the user-interface thread. Always 0.
    int OnDownloadEvent(
        int code, std::int64_t task, std::int64_t value, std::int64_t detail, std::int64_t spare);

    // The user's close button: refused while a download shows progress; otherwise the
    // program ends.
    CloseAnswer OnCloseRequest();

    // Writes the replacement script into the program's folder, starts it and ends the
    // program. When the script cannot be written or started, the program stays and the
    // window can be closed again.
    void WriteReplaceScript();

    TaskParam const& Task() const { return m_task; }
    Download const& Transfer() const { return m_download; }
    ProgressDrawing const& Drawing() const { return m_drawing; }

private:
    void ShowProgress();

    UpdateWindow& m_window;
    UpdateHost& m_host;
    Desktop& m_desktop;
    EventPump& m_pump;
    Endpoints m_endpoints;
    ProgramFile m_program;
    ProgressDrawing m_drawing;
    TaskParam m_task;
    // Last: destroyed first, so that its thread has ended before anything it reports to.
    Download m_download;
};

}
