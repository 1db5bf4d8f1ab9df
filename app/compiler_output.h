#pragma once

#include <QString>
#include <string>

namespace quillet {

// The compiler's output for display: it mixes file names in UTF-8 with the
// script's own GBK text, so each line is read as UTF-8 when it is valid
// UTF-8, else as GBK.
QString decodeOutput(const std::string& bytes);

}  // namespace quillet
