#include "export/export_lines.h"

namespace velmora {

namespace {

constexpr Control BuyerList = Control::超级列表框1;
constexpr Control SellerList = Control::超级列表框店铺;
constexpr int BuyerNameColumn = 1;
constexpr int FirstSellerColumn = 1;
constexpr int LastSellerColumn = 7;

template<typename LineOfRow> Text ListLines(Form const& form, Control list, LineOfRow line_of_row)
{
    // The row count is taken once: rows that a running collection adds meanwhile wait for
    // the next export.
    int const row_count = form.RowCount(list);
    Text text;
    for (int row = 0; row < row_count; ++row) {
        text += line_of_row(row);
        text += ExportLineEnd;
    }
    return text;
}

}

Text BuyerExportLines(Form const& form)
{
    return ListLines(form, BuyerList, [&](int row) { return form.Cell(BuyerList, row, BuyerNameColumn); });
}

Text SellerExportLines(Form const& form)
{
    return ListLines(form, SellerList, [&](int row) {
        Text line = form.Cell(SellerList, row, FirstSellerColumn);
        for (int column = FirstSellerColumn + 1; column <= LastSellerColumn; ++column) {
            line += ' ';
            line += form.Cell(SellerList, row, column);
        }
        return line;
    });
}

Text CombinedExportText(std::optional<std::string_view> existing_content, std::string_view new_lines)
{
    Text text;
    if (existing_content) {
        std::string_view const content = existing_content->substr(0, existing_content->find('\0'));
        text.append(content);
        text.append(ExportLineEnd);
    }
    text.append(new_lines);
    return text;
}

}
