// Pages are written as UTF-8 templates with {{name}} slots; the template's own text becomes
// GBK and the slots take GBK values as they are.
#pragma once

#include "text/gbk.h"

#include <initializer_list>
#include <string_view>
#include <utility>

namespace velmora::market {

using Slot = std::pair<std::string_view, std::string_view>;

// The template converted to GBK with every {{name}} replaced by the value of that slot; a
// slot without a value is left empty.
Text FillTemplate(std::string_view utf8_template, std::initializer_list<Slot> gbk_values);

// The text with &, <, > and " written as character references, for text a user typed.
Text EscapeHtml(std::string_view gbk);

} // namespace velmora::market
