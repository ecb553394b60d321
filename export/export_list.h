// The two export buttons 按钮提取买家 and 按钮提取卖家: each list is saved as a text file
// through the save dialog, appended to what the chosen file already holds.
#pragma once

#include "app/session.h"

namespace velmora {

// Saves the buyer list (nicknames only) under a name chosen in the save dialog.
void ExportBuyers(Session& session);

// Saves the seller list (columns 1 to 7 of every row) under a name chosen in the save dialog.
void ExportSellers(Session& session);

}
