#include "app/memory_form.h"

#include <stdexcept>

namespace velmora {

MemoryForm::MemoryForm()
{
    for (auto const& definition : ControlDefinitions()) {
        ControlState state;
        state.text = Utf8ToGbk(definition.caption);
        state.checked = definition.checked;
        state.enabled = definition.enabled;
        state.visible = definition.visible;
        state.place = definition.place;
        if (definition.kind == ControlKind::ComboBox)
            state.items.push_back(state.text);
        m_controls.emplace(definition.control, std::move(state));
    }
    auto add_list = [this](Control list, std::span<ColumnDefinition const> columns) {
        ListState state;
        for (auto const& column : columns)
            state.column_titles.push_back(Utf8ToGbk(column.title));
        m_lists.emplace(list, std::move(state));
    };
    add_list(Control::超级列表框店铺, SellerListColumns());
    add_list(Control::超级列表框1, BuyerListColumns());
}

MemoryForm::ControlState& MemoryForm::StateOf(Control control)
{
    auto found = m_controls.find(control);
    if (found == m_controls.end())
        throw std::out_of_range("the form has no such control");
    return found->second;
}

MemoryForm::ControlState const& MemoryForm::StateOf(Control control) const
{
    return const_cast<MemoryForm*>(this)->StateOf(control);
}

MemoryForm::ListState& MemoryForm::ListOf(Control list)
{
    auto found = m_lists.find(list);
    if (found == m_lists.end())
        throw std::out_of_range("the control is not a result list");
    return found->second;
}

MemoryForm::ListState const& MemoryForm::ListOf(Control list) const
{
    return const_cast<MemoryForm*>(this)->ListOf(list);
}

Text MemoryForm::GetText(Control control) const
{
    return StateOf(control).text;
}
void MemoryForm::SetText(Control control, Text const& text)
{
    StateOf(control).text = text;
}
void MemoryForm::AppendText(Control control, Text const& text)
{
    StateOf(control).text += text;
    if (m_text_appended)
        m_text_appended(control, text);
}
bool MemoryForm::IsChecked(Control control) const
{
    return StateOf(control).checked;
}

void MemoryForm::SetChecked(Control control, bool checked)
{
    // Radio buttons of one group exclude each other, as in the window.
    auto const& definition = DefinitionOf(control);
    if (checked && definition.kind == ControlKind::RadioButton) {
        for (auto const& other : ControlDefinitions()) {
            if (other.kind == ControlKind::RadioButton && other.parent == definition.parent)
                StateOf(other.control).checked = false;
        }
    }
    StateOf(control).checked = checked;
}

bool MemoryForm::IsEnabled(Control control) const
{
    return StateOf(control).enabled;
}
void MemoryForm::SetEnabled(Control control, bool enabled)
{
    StateOf(control).enabled = enabled;
}
bool MemoryForm::IsVisible(Control control) const
{
    return StateOf(control).visible;
}
void MemoryForm::SetVisible(Control control, bool visible)
{
    StateOf(control).visible = visible;
}
Rect MemoryForm::Place(Control control) const
{
    return StateOf(control).place;
}

void MemoryForm::Move(Control control, int left, int top)
{
    auto& place = StateOf(control).place;
    place.left = left;
    place.top = top;
}

void MemoryForm::SetFocus(Control control)
{
    m_focus = control;
}
Control MemoryForm::FocusedControl() const
{
    return m_focus;
}
int MemoryForm::CurrentTab() const
{
    return m_current_tab;
}
void MemoryForm::ClearItems(Control combo_box)
{
    StateOf(combo_box).items.clear();
}
void MemoryForm::AddItem(Control combo_box, Text const& item)
{
    StateOf(combo_box).items.push_back(item);
}

void MemoryForm::SelectItem(Control combo_box, int index)
{
    auto& state = StateOf(combo_box);
    if (index >= 0 && index < static_cast<int>(state.items.size()))
        state.text = state.items[index];
}

int MemoryForm::ItemCount(Control combo_box) const
{
    return static_cast<int>(StateOf(combo_box).items.size());
}
int MemoryForm::RowCount(Control list) const
{
    return static_cast<int>(ListOf(list).rows.size());
}

void MemoryForm::ClearRows(Control list)
{
    ListOf(list).rows.clear();
    m_selected_rows.erase(list);
}

void MemoryForm::InsertRow(Control list, int index, Text const& first_cell)
{
    auto& state = ListOf(list);
    std::vector<Text> row(state.column_titles.size());
    row[0] = first_cell;
    // An index past the end appends, as a report list does.
    auto position = index < 0 || index > static_cast<int>(state.rows.size()) ? state.rows.end()
                                                                             : state.rows.begin() + index;
    state.rows.insert(position, std::move(row));
}

void MemoryForm::SetCell(Control list, int row, int column, Text const& text)
{
    auto& state = ListOf(list);
    if (row < 0 || row >= static_cast<int>(state.rows.size()) || column < 0
        || column >= static_cast<int>(state.column_titles.size()))
        return;
    state.rows[row][column] = text;
}

Text MemoryForm::Cell(Control list, int row, int column) const
{
    auto const& state = ListOf(list);
    if (row < 0 || row >= static_cast<int>(state.rows.size()) || column < 0
        || column >= static_cast<int>(state.column_titles.size()))
        return {};
    return state.rows[row][column];
}

int MemoryForm::SelectedRow(Control list) const
{
    auto found = m_selected_rows.find(list);
    if (found == m_selected_rows.end() || found->second >= RowCount(list))
        return -1;
    return found->second;
}

Text MemoryForm::ColumnTitle(Control list, int column) const
{
    auto const& titles = ListOf(list).column_titles;
    return column >= 0 && column < static_cast<int>(titles.size()) ? titles[column] : Text {};
}

void MemoryForm::SetColumnTitle(Control list, int column, Text const& title)
{
    auto& titles = ListOf(list).column_titles;
    if (column >= 0 && column < static_cast<int>(titles.size()))
        titles[column] = title;
}

bool MemoryForm::IsAlwaysOnTop() const
{
    return m_always_on_top;
}
void MemoryForm::SetAlwaysOnTop(bool on)
{
    m_always_on_top = on;
}

std::vector<Text> MemoryForm::Row(Control list, int row) const
{
    auto const& state = ListOf(list);
    if (row < 0 || row >= static_cast<int>(state.rows.size()))
        return {};
    return state.rows[row];
}

} // namespace velmora
