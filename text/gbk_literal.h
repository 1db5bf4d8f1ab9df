#pragma once

#include <string_view>

#include "text/text_types.h"

namespace quillet {

// The GBK text of a UTF-8 string: lets constants be written readably in the
// source, which is UTF-8, while the system's texts are GBK.
Text gbk(std::string_view utf8);

}  // namespace quillet
