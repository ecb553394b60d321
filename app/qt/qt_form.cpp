#include "app/qt/qt_form.h"

#include "app/qt/gbk_qstring.h"
#include "app/qt/hyperlink_label.h"
#include "app/qt/main_window.h"
#include "app/qt/tab_control.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QTextCursor>
#include <QTreeWidget>
#include <QWebEngineView>

#include <stdexcept>

namespace velmora {

namespace {

// The log's CR LF line ends become the widget's line breaks.
QString ShownLines(std::string_view gbk)
{
    QString shown = ToQString(gbk);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

QTreeWidget* AsList(QWidget& widget)
{
    auto* list = qobject_cast<QTreeWidget*>(&widget);
    if (!list)
        throw std::invalid_argument("the control is not a result list");
    return list;
}

QComboBox* AsComboBox(QWidget& widget)
{
    auto* combo_box = qobject_cast<QComboBox*>(&widget);
    if (!combo_box)
        throw std::invalid_argument("the control is not a combo box");
    return combo_box;
}

}

QtForm::QtForm(MainWindow& window)
    : m_window(window)
{
}

QWidget& QtForm::WidgetOf(Control control) const
{
    QWidget* widget = m_window.Widget(control);
    if (!widget)
        throw std::out_of_range("the window has no such control");
    return *widget;
}

Text QtForm::GetText(Control control) const
{
    QWidget& widget = WidgetOf(control);
    switch (DefinitionOf(control).kind) {
    case ControlKind::MultiLineEditBox: {
        auto found = m_multi_line_texts.find(control);
        return found == m_multi_line_texts.end() ? Text {} : found->second;
    }
    case ControlKind::EditBox:
        return ToText(static_cast<QLineEdit&>(widget).text());
    case ControlKind::ComboBox:
        return ToText(static_cast<QComboBox&>(widget).currentText());
    case ControlKind::Label:
    case ControlKind::Hyperlink:
        return ToText(static_cast<QLabel&>(widget).text());
    case ControlKind::GroupBox:
        return ToText(static_cast<QGroupBox&>(widget).title());
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
        return ToText(static_cast<QAbstractButton&>(widget).text());
    case ControlKind::TabControl: {
        auto* bar = m_window.Tabs().Bar();
        return ToText(bar->tabText(bar->currentIndex()));
    }
    case ControlKind::WebBrowser:
        if (auto* browser = qobject_cast<QWebEngineView*>(&widget))
            return ToText(browser->url().toString());
        return {};
    case ControlKind::PictureBox:
    case ControlKind::ResultList:
        return {};
    }
    return {};
}

void QtForm::SetText(Control control, Text const& text)
{
    QWidget& widget = WidgetOf(control);
    switch (DefinitionOf(control).kind) {
    case ControlKind::MultiLineEditBox: {
        m_multi_line_texts[control] = text;
        static_cast<QPlainTextEdit&>(widget).setPlainText(ShownLines(text));
        break;
    }
    case ControlKind::EditBox:
        static_cast<QLineEdit&>(widget).setText(ToQString(text));
        break;
    case ControlKind::ComboBox:
        // Picks the entry with that text, if there is one.
        static_cast<QComboBox&>(widget).setCurrentText(ToQString(text));
        break;
    case ControlKind::Label:
    case ControlKind::Hyperlink:
        static_cast<QLabel&>(widget).setText(ToQString(text));
        break;
    case ControlKind::GroupBox:
        static_cast<QGroupBox&>(widget).setTitle(ToQString(text));
        break;
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
        static_cast<QAbstractButton&>(widget).setText(ToQString(text));
        break;
    case ControlKind::WebBrowser:
        if (auto* browser = qobject_cast<QWebEngineView*>(&widget))
            browser->load(QUrl(ToQString(text)));
        break;
    case ControlKind::TabControl:
    case ControlKind::PictureBox:
    case ControlKind::ResultList:
        break;
    }
}

void QtForm::AppendText(Control control, Text const& text)
{
    QWidget& widget = WidgetOf(control);
    if (DefinitionOf(control).kind != ControlKind::MultiLineEditBox) {
        SetText(control, GetText(control) + text);
        return;
    }
    m_multi_line_texts[control] += text;
    auto& edit = static_cast<QPlainTextEdit&>(widget);
    QTextCursor cursor(edit.document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(ShownLines(text));
    edit.verticalScrollBar()->setValue(edit.verticalScrollBar()->maximum());
}

bool QtForm::IsChecked(Control control) const
{
    auto* button = qobject_cast<QAbstractButton*>(&WidgetOf(control));
    return button && button->isChecked();
}

void QtForm::SetChecked(Control control, bool checked)
{
    auto* button = qobject_cast<QAbstractButton*>(&WidgetOf(control));
    if (!button)
        return;
    // A radio button of a group can be unchecked by the program, as in the window
    // definition's toolkit; the toolkit itself refuses that for exclusive buttons.
    bool const exclusive = button->autoExclusive();
    if (!checked && exclusive)
        button->setAutoExclusive(false);
    button->setChecked(checked);
    if (!checked && exclusive)
        button->setAutoExclusive(true);
}

bool QtForm::IsEnabled(Control control) const
{
    return WidgetOf(control).isEnabled();
}

void QtForm::SetEnabled(Control control, bool enabled)
{
    WidgetOf(control).setEnabled(enabled);
}

bool QtForm::IsVisible(Control control) const
{
    return !WidgetOf(control).isHidden();
}

void QtForm::SetVisible(Control control, bool visible)
{
    WidgetOf(control).setVisible(visible);
}

Rect QtForm::Place(Control control) const
{
    QRect const place = WidgetOf(control).geometry();
    return {place.left(), place.top(), place.width(), place.height()};
}

void QtForm::Move(Control control, int left, int top)
{
    WidgetOf(control).move(left, top);
}

void QtForm::SetFocus(Control control)
{
    WidgetOf(control).setFocus(Qt::OtherFocusReason);
}

Control QtForm::FocusedControl() const
{
    QWidget* focused = m_window.focusWidget();
    for (auto const& definition : ControlDefinitions()) {
        if (m_window.Widget(definition.control) == focused)
            return definition.control;
    }
    return Control::None;
}

int QtForm::CurrentTab() const
{
    return m_window.Tabs().CurrentIndex();
}

void QtForm::SetCurrentTab(int tab)
{
    m_window.Tabs().SetCurrentIndex(tab);
}

void QtForm::ClearItems(Control combo_box)
{
    AsComboBox(WidgetOf(combo_box))->clear();
}

void QtForm::AddItem(Control combo_box, Text const& item)
{
    AsComboBox(WidgetOf(combo_box))->addItem(ToQString(item));
}

void QtForm::SelectItem(Control combo_box, int index)
{
    auto* box = AsComboBox(WidgetOf(combo_box));
    if (index >= 0 && index < box->count())
        box->setCurrentIndex(index);
}

int QtForm::ItemCount(Control combo_box) const
{
    return AsComboBox(WidgetOf(combo_box))->count();
}

int QtForm::RowCount(Control list) const
{
    return AsList(WidgetOf(list))->topLevelItemCount();
}

void QtForm::ClearRows(Control list)
{
    AsList(WidgetOf(list))->clear();
}

void QtForm::InsertRow(Control list, int index, Text const& first_cell)
{
    auto* tree = AsList(WidgetOf(list));
    auto* row = new QTreeWidgetItem();
    row->setText(0, ToQString(first_cell));
    // An index past the end appends, as a report list does.
    int const count = tree->topLevelItemCount();
    tree->insertTopLevelItem(index < 0 || index > count ? count : index, row);
}

void QtForm::SetCell(Control list, int row, int column, Text const& text)
{
    auto* tree = AsList(WidgetOf(list));
    if (column < 0 || column >= tree->columnCount())
        return;
    if (auto* item = tree->topLevelItem(row))
        item->setText(column, ToQString(text));
}

Text QtForm::Cell(Control list, int row, int column) const
{
    auto* tree = AsList(WidgetOf(list));
    if (column < 0 || column >= tree->columnCount())
        return {};
    auto* item = tree->topLevelItem(row);
    return item ? ToText(item->text(column)) : Text {};
}

int QtForm::SelectedRow(Control list) const
{
    auto* tree = AsList(WidgetOf(list));
    auto const selected = tree->selectedItems();
    return selected.isEmpty() ? -1 : tree->indexOfTopLevelItem(selected.first());
}

Text QtForm::ColumnTitle(Control list, int column) const
{
    auto* tree = AsList(WidgetOf(list));
    if (column < 0 || column >= tree->columnCount())
        return {};
    return ToText(tree->headerItem()->text(column));
}

void QtForm::SetColumnTitle(Control list, int column, Text const& title)
{
    auto* tree = AsList(WidgetOf(list));
    if (column >= 0 && column < tree->columnCount())
        tree->headerItem()->setText(column, ToQString(title));
}

bool QtForm::IsAlwaysOnTop() const
{
    return m_window.IsAlwaysOnTop();
}

void QtForm::SetAlwaysOnTop(bool on)
{
    m_window.SetAlwaysOnTop(on);
}

}
