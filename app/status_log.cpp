#include "app/status_log.h"

namespace velmora {

void StatusLog(Form& form, Text const& line)
{
    static Text const MiddleDot = "\xA1\xA4";
    form.AppendText(Control::编辑框提示, MiddleDot + line + "\r\n");
}

}
