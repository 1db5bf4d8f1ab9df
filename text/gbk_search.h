#pragma once

#include <cstddef>
#include <string_view>

#include "text/text_types.h"

namespace quillet {

// Searches that step over whole GBK characters, so that a match never begins
// on the second byte of a double-byte character. With ignoreCase only the
// ASCII letters A-Z fold onto a-z.

// Byte offset (from 0) of the first occurrence of needle at or after `from`,
// or npos. An empty needle is never found.
std::size_t findGbk(std::string_view haystack, std::string_view needle, std::size_t from = 0,
                    bool ignoreCase = false);

// Every occurrence of needle replaced, scanning left to right without
// overlaps. An empty needle leaves the subject as it is.
Text replaceGbk(std::string_view subject, std::string_view needle, std::string_view replacement,
                bool ignoreCase = false);

}  // namespace quillet
