// The Form of the real window: every operation on a control goes to its widget. GBK texts
// become QStrings here and nowhere else.
#pragma once

#include "app/form.h"

#include <map>

class QWidget;

namespace velmora {

class MainWindow;

class QtForm final : public Form {
public:
    explicit QtForm(MainWindow& window);

    Text GetText(Control control) const override;
    void SetText(Control control, Text const& text) override;
    void AppendText(Control control, Text const& text) override;
    bool IsChecked(Control control) const override;
    void SetChecked(Control control, bool checked) override;
    bool IsEnabled(Control control) const override;
    void SetEnabled(Control control, bool enabled) override;
    bool IsVisible(Control control) const override;
    void SetVisible(Control control, bool visible) override;
    Rect Place(Control control) const override;
    void Move(Control control, int left, int top) override;
    void SetFocus(Control control) override;
    Control FocusedControl() const override;
    int CurrentTab() const override;
    void ClearItems(Control combo_box) override;
    void AddItem(Control combo_box, Text const& item) override;
    void SelectItem(Control combo_box, int index) override;
    int ItemCount(Control combo_box) const override;
    int RowCount(Control list) const override;
    void ClearRows(Control list) override;
    void InsertRow(Control list, int index, Text const& first_cell) override;
    void SetCell(Control list, int row, int column, Text const& text) override;
    Text Cell(Control list, int row, int column) const override;
    int SelectedRow(Control list) const override;
    Text ColumnTitle(Control list, int column) const override;
    void SetColumnTitle(Control list, int column, Text const& title) override;
    bool IsAlwaysOnTop() const override;
    void SetAlwaysOnTop(bool on) override;

    // What a user does by hand.
    void SetCurrentTab(int tab);

private:
    QWidget& WidgetOf(Control control) const;

    MainWindow& m_window;
    // The exact bytes of the multi-line edit boxes (the status log keeps its CR LF line
    // ends, which the widget shows as line breaks).
    std::map<Control, Text> m_multi_line_texts;
};

}
