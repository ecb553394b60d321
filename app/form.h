// The main window's controls as the collectors and handlers see them. The Qt window adapts
// real widgets to it; MemoryForm keeps them in memory for the CLI and the tests. Every text
// is GBK.
#pragma once

#include "app/controls.h"
#include "text/gbk.h"

namespace velmora {

class Form {
public:
    virtual ~Form() = default;

    // Caption or text, by the kind of control.
    virtual Text GetText(Control control) const = 0;
    virtual void SetText(Control control, Text const& text) = 0;
    // Appends at the end of an edit box's text (the status log).
    virtual void AppendText(Control control, Text const& text) = 0;

    virtual bool IsChecked(Control control) const = 0;
    virtual void SetChecked(Control control, bool checked) = 0;

    virtual bool IsEnabled(Control control) const = 0;
    virtual void SetEnabled(Control control, bool enabled) = 0;

    // The control's own visibility, also when a hidden panel holds it.
    virtual bool IsVisible(Control control) const = 0;
    virtual void SetVisible(Control control, bool visible) = 0;

    virtual Rect Place(Control control) const = 0;
    virtual void Move(Control control, int left, int top) = 0;

    virtual void SetFocus(Control control) = 0;
    virtual Control FocusedControl() const = 0;

    // The index of the current page of 选择夹1.
    virtual int CurrentTab() const = 0;

    // The entries of a combo box.
    virtual void ClearItems(Control combo_box) = 0;
    virtual void AddItem(Control combo_box, Text const& item) = 0;
    virtual void SelectItem(Control combo_box, int index) = 0;
    virtual int ItemCount(Control combo_box) const = 0;

    // The two result lists.
    virtual int RowCount(Control list) const = 0;
    virtual void ClearRows(Control list) = 0;
    virtual void InsertRow(Control list, int index, Text const& first_cell) = 0;
    virtual void SetCell(Control list, int row, int column, Text const& text) = 0;
    virtual Text Cell(Control list, int row, int column) const = 0;
    // The selected row, or -1.
    virtual int SelectedRow(Control list) const = 0;
    virtual Text ColumnTitle(Control list, int column) const = 0;
    virtual void SetColumnTitle(Control list, int column, Text const& title) = 0;

    // The main window's always-on-top setting.
    virtual bool IsAlwaysOnTop() const = 0;
    virtual void SetAlwaysOnTop(bool on) = 0;
};

}
