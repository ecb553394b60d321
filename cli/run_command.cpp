#include "cli/run_command.h"

#include "app/click_dispatch.h"
#include "app/memory_form.h"
#include "app/session.h"
#include "cli/command_line.h"
#include "cli/console_desktop.h"
#include "cli/form_setup.h"
#include "cli/progress_line.h"
#include "cli/row_output.h"
#include "cli/stop_request.h"

#include <fstream>
#include <ostream>

namespace velmora::cli {

namespace {

constexpr std::string_view MiddleDot = "\xA1\xA4";
constexpr std::string_view LineEnd = "\r\n";

// A status-log line as the console shows it: UTF-8, without the middle dot and CR LF.
std::string ConsoleLogLine(Text line)
{
    if (line.starts_with(MiddleDot))
        line.erase(0, MiddleDot.size());
    if (line.ends_with(LineEnd))
        line.erase(line.size() - LineEnd.size());
    return GbkToUtf8(line);
}

bool WriteOutput(CommandLine const& line, std::string const& rows, std::ostream& out, std::ostream& err)
{
    if (!line.output_path) {
        out << rows << std::flush;
        return true;
    }
    std::ofstream file(*line.output_path, std::ios::binary | std::ios::trunc);
    file << rows;
    file.close();
    if (!file) {
        err << "velmora-cli: cannot write " << *line.output_path << "\n";
        return false;
    }
    return true;
}

} // namespace

int RunCommand(std::vector<std::string> const& arguments, std::ostream& out, std::ostream& err,
    StandardErrorKind err_kind)
{
    auto parsed = ParseCommandLine(arguments);
    if (std::holds_alternative<HelpRequested>(parsed)) {
        out << UsageText();
        return ExitFinished;
    }
    if (auto const* error = std::get_if<UsageError>(&parsed)) {
        err << "velmora-cli: " << error->message << "\n" << UsageText();
        return ExitUsage;
    }
    auto const& line = std::get<CommandLine>(parsed);

    MemoryForm form;
    Control const start_button = PrepareForm(line, form);
    Control const list = start_button == SellerStartButton ? Control::超级列表框店铺 : Control::超级列表框1;
    ProgressLine progress(err, err_kind);
    form.OnTextAppended([&](Control control, Text const& text) {
        if (control == Control::编辑框提示)
            progress.WriteLine(ConsoleLogLine(text));
    });

    ConsoleDesktop desktop([&](std::string_view text) { progress.WriteLine(text); });
    bool stop_delivered = false;
    Session* running_session = nullptr;
    // A termination request becomes a click on the running start button, the way a user
    // stops a run in the window; the collector sees it at its next page.
    WindowlessEventPump pump([&] {
        if (running_session)
            progress.Show(running_session->state.CurrentPage, form.RowCount(list));
        if (!stop_delivered && running_session && IsStopRequested()) {
            stop_delivered = true;
            OnClick(*running_session, start_button);
        }
    });
    Session session(form, pump, desktop, EndpointsFor(line));
    running_session = &session;

    OnClick(session, start_button);
    progress.Finish();

    bool const stopped = stop_delivered || IsStopRequested();
    if (!WriteOutput(line, FormatRows(form, list, line.format), out, err))
        return ExitOutputFailed;
    return stopped ? ExitStopped : ExitFinished;
}

} // namespace velmora::cli
