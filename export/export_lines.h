// The lines of the export files, one per row of a result list.
#pragma once

#include "app/form.h"

namespace velmora {

// The buyer list's line: the nickname (column 1).
Text BuyerExportLine(Form const& form, int row);

// The seller list's line: columns 1 to 7 joined by one blank each; an empty cell adds nothing.
Text SellerExportLine(Form const& form, int row);

// Every row's line of list followed by CR LF, in list order (the row count taken once).
Text ExportText(Form const& form, Control list);

} // namespace velmora
