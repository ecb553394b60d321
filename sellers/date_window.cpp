#include "sellers/date_window.h"

#include "sellers/date_text.h"

namespace velmora {

namespace {

// bound − date in days.
double DaysFromDateTo(Form const& form, Control bound_box, DateTime date)
{
    return DaysBetween(date, ReadDateText(form.GetText(bound_box)));
}

bool IsOnOrBefore(Form const& form, Control bound_box, DateTime date)
{
    return DaysFromDateTo(form, bound_box, date) >= -DateWindowToleranceDays;
}

bool IsOnOrAfter(Form const& form, Control bound_box, DateTime date)
{
    return DaysFromDateTo(form, bound_box, date) <= DateWindowToleranceDays;
}

}

bool PassesDateWindow(Form const& form, std::string_view date)
{
    DateTime const opened = ReadDateText(date);
    if (form.IsChecked(Control::单选框所有时间))
        return true;
    if (form.IsChecked(Control::单选框早于))
        return IsOnOrBefore(form, Control::编辑框早于, opened);
    if (form.IsChecked(Control::单选框晚于))
        return IsOnOrAfter(form, Control::编辑框晚于, opened);
    if (form.IsChecked(Control::单选框介于))
        return IsOnOrAfter(form, Control::编辑框介于1, opened)
            && IsOnOrBefore(form, Control::编辑框介于2, opened);
    return true;
}

}
