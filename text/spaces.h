// The two spaces of GBK text: the ASCII blank and the full-width space A1 A1.
#pragma once

#include "text/gbk.h"

#include <string_view>

namespace velmora {

// Removes every blank and every full-width space that stands at a character boundary, so
// that the bytes B0 A1 A1 B0 (two characters) are kept whole. Tabs and line breaks stay.
Text RemoveSpaces(std::string_view text);

// Removes blanks and full-width spaces at both ends.
Text TrimSpaces(std::string_view text);

}
