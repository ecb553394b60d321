// The text of an export file: one line per list row, CR LF after each, GBK bytes.
#pragma once

#include "app/form.h"

#include <optional>
#include <string_view>

namespace velmora {

constexpr std::string_view ExportLineEnd = "\r\n";

// Column 1 (买家ID) of every row of the buyer list 超级列表框1, in list order.
Text BuyerExportLines(Form const& form);

// Columns 1 to 7 of every row of the seller list 超级列表框店铺, joined by one blank each; an
// empty cell contributes nothing, so its neighbouring blanks stand side by side.
Text SellerExportLines(Form const& form);

// What is written when the file already holds existing_content (absent: no file): its
// content up to a first NUL byte, CR LF, then the new lines.
Text CombinedExportText(std::optional<std::string_view> existing_content, std::string_view new_lines);

}
