#include "export/export_lines.h"

namespace velmora {

namespace {

constexpr int NicknameColumn = 1;
constexpr int FirstSellerColumn = 1;
constexpr int LastSellerColumn = 7;
constexpr std::string_view LineEnd = "\r\n";

} // namespace

Text BuyerExportLine(Form const& form, int row)
{
    return form.Cell(Control::超级列表框1, row, NicknameColumn);
}

Text SellerExportLine(Form const& form, int row)
{
    Text line;
    for (int column = FirstSellerColumn; column <= LastSellerColumn; ++column) {
        if (column > FirstSellerColumn)
            line += ' ';
        line += form.Cell(Control::超级列表框店铺, row, column);
    }
    return line;
}

Text ExportText(Form const& form, Control list)
{
    bool const buyers = list == Control::超级列表框1;
    int const row_count = form.RowCount(list);
    Text text;
    for (int row = 0; row < row_count; ++row) {
        text += buyers ? BuyerExportLine(form, row) : SellerExportLine(form, row);
        text += LineEnd;
    }
    return text;
}

} // namespace velmora
