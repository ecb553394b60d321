// The date window: the period chosen on the time panel 分组框4 that a shop's opening date
// must fall in.
#pragma once

#include "app/form.h"

#include <string_view>

namespace velmora {

// Bounds are inclusive to this many days, so a date equal to a bound passes also when both
// carry the same time of day.
constexpr double DateWindowToleranceDays = 0.0000001;

// Reads the time panel's radio buttons and bounds at the moment of the test: 所有时间 (or
// none checked) passes every date; 早于 passes dates on or before 编辑框早于; 晚于 dates on or
// after 编辑框晚于; 介于 dates from 编辑框介于1 to 编辑框介于2, both included. An unreadable or
// empty date counts as the year 100.
bool PassesDateWindow(Form const& form, std::string_view date);

}
