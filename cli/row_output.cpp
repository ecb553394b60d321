#include "cli/row_output.h"

#include "export/export_lines.h"

namespace velmora::cli {

std::string FormatRows(MemoryForm const& form, Control list, OutputFormat format)
{
    if (format == OutputFormat::Export)
        return list == Control::超级列表框1 ? BuyerExportLines(form) : SellerExportLines(form);

    std::string text;
    for (int row = 0; row < form.RowCount(list); ++row) {
        auto cells = form.Row(list, row);
        for (std::size_t column = 0; column < cells.size(); ++column) {
            if (column > 0)
                text += '\t';
            text += GbkToUtf8(cells[column]);
        }
        text += '\n';
    }
    return text;
}

} // namespace velmora::cli
