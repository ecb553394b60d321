// The save dialog as the export asks for it: a request of plain values that a dialog of the
// window (or a test) answers with the chosen path.
#pragma once

#include "text/gbk.h"

#include <vector>

namespace velmora {

struct FileFilter {
    Text display_name; // 文本文件
    Text pattern; // *.txt
    friend bool operator==(FileFilter const&, FileFilter const&) = default;
};

struct SaveFileRequest {
    Text title;
    std::vector<FileFilter> filters;
    Text initial_directory; // ends with the platform's folder separator
    Text default_name;
    Text default_extension; // added when the user types a name without one
    bool confirm_overwrite {true};
    bool folder_must_exist {true};
};

// Answers a save request: the full path chosen, or the empty text when the user cancels.
class SaveFileChooser {
public:
    virtual ~SaveFileChooser() = default;
    virtual Text ChooseSaveFile(SaveFileRequest const& request) = 0;
};

// The request the export shows. filter_text lists display names and patterns alternately,
// separated by "丨" (GBK D8 AD) or "|"; every space in it is dropped. The initial directory
// gets the platform's folder separator, "/" included, and a separator at its end.
SaveFileRequest PrepareSaveFileRequest(
    Text const& filter_text, Text const& initial_directory, Text const& default_name);

// Shows the save dialog through chooser; the empty text when there is none or it is cancelled.
Text ChooseSaveFile(SaveFileChooser* chooser, Text const& filter_text, Text const& initial_directory,
    Text const& default_name);

}
