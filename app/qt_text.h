#pragma once

#include <QString>
#include <string>

#include "text/text_types.h"

namespace quillet {

// Crossing between Qt's strings and the system's GBK texts.
Text toText(const QString& string);
QString fromText(const Text& text);

// A GBK path as the file system spells it (UTF-8 bytes).
std::string fileSystemPath(const Text& path);

}  // namespace quillet
