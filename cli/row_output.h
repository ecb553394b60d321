// Writing a result list the way the command line asks for.
#pragma once

#include "app/memory_form.h"
#include "cli/command_line.h"

#include <string>

namespace velmora::cli {

// Every row of list in format: tsv is UTF-8 with every column from 序号 on, tab-separated,
// LF-ended; export is the export file's lines, GBK, CR LF-ended.
std::string FormatRows(MemoryForm const& form, Control list, OutputFormat format);

} // namespace velmora::cli
