// The main window's controls kept in memory: the form of the headless CLI and of the tests.
#pragma once

#include "app/form.h"

#include <array>
#include <functional>
#include <map>
#include <vector>

namespace velmora {

class MemoryForm final : public Form {
public:
    // Every control with its caption and state at start, and both lists with their columns.
    MemoryForm();

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

    // What a user does by hand in the window.
    void SetCurrentTab(int tab) { m_current_tab = tab; }
    void SelectRow(Control list, int row) { m_selected_rows[list] = row; }

    // A whole row, column 0 first.
    std::vector<Text> Row(Control list, int row) const;

    // Called after every AppendText, with the appended text: how the headless front end
    // passes the status log on as it is written.
    void OnTextAppended(std::function<void(Control, Text const&)> observer)
    {
        m_text_appended = std::move(observer);
    }

private:
    struct ControlState {
        Text text;
        bool checked {false};
        bool enabled {true};
        bool visible {true};
        Rect place {};
        std::vector<Text> items;
    };
    struct ListState {
        std::vector<Text> column_titles;
        std::vector<std::vector<Text>> rows;
    };

    ControlState& StateOf(Control control);
    ControlState const& StateOf(Control control) const;
    ListState& ListOf(Control list);
    ListState const& ListOf(Control list) const;

    std::map<Control, ControlState> m_controls;
    std::map<Control, ListState> m_lists;
    std::map<Control, int> m_selected_rows;
    Control m_focus {Control::None};
    int m_current_tab {0};
    bool m_always_on_top {false};
    std::function<void(Control, Text const&)> m_text_appended;
};

} // namespace velmora
