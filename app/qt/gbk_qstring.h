// The one place where GBK text and the toolkit's strings meet.
#pragma once

#include "text/gbk.h"

#include <QString>

#include <string_view>

namespace velmora {

QString ToQString(std::string_view gbk);
Text ToText(QString const& text);

// A UTF-8 text of the window definition.
QString Utf8ToQString(std::string_view utf8);

}
