#include "export/export_list.h"

#include "app/program_file.h"
#include "app/status_log.h"
#include "export/export_lines.h"
#include "export/save_file_request.h"
#include "export/whole_file.h"

namespace velmora {

namespace {

enum class ExportedList {
    Buyers,
    Sellers,
};

void ExportList(Session& session, ExportedList list)
{
    Text const directory = TextFromPath(RunningProgramFile().directory) + "/";
    Text const& default_name = list == ExportedList::Buyers ? "买家信息"_gbk : "卖家信息"_gbk;
    Text const path_text
        = ChooseSaveFile(session.save_file_chooser, "文本文件丨*.txt"_gbk, directory, default_name);
    if (path_text.empty())
        return;

    // The file's present content stays at the front. A file that is there but cannot be
    // read is not replaced: its content would be lost.
    auto const path = PathFromText(path_text);
    ExistingFile const existing = ReadWholeFile(path);
    bool saved = existing.outcome != ReadOutcome::Failed;
    if (saved) {
        Text const lines
            = list == ExportedList::Buyers ? BuyerExportLines(session.form) : SellerExportLines(session.form);
        std::optional<std::string_view> existing_content;
        if (existing.outcome == ReadOutcome::Read)
            existing_content = existing.bytes;
        saved = ReplaceWholeFile(path, CombinedExportText(existing_content, lines)) == WriteOutcome::Written;
    }
    StatusLog(session.form, saved ? "文件已经保存。。。"_gbk : "文件保存失败。。。"_gbk);
}

}

void ExportBuyers(Session& session)
{
    ExportList(session, ExportedList::Buyers);
}

void ExportSellers(Session& session)
{
    ExportList(session, ExportedList::Sellers);
}

}
