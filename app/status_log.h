// The status log: the progress lines of a run in the hint panel's edit box 编辑框提示.
#pragma once

#include "app/form.h"

namespace velmora {

// Appends the middle dot (A1 A4), the line and CR LF.
void StatusLog(Form& form, Text const& line);

}
