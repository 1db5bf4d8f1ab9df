#pragma once

#include "text/text_types.h"

namespace quillet {

// The initial of one reading of a GB2312 Chinese character (first byte
// B0-F7, second byte A1-FE): the initial consonant in lower case, or the
// whole syllable where there is none. Only the first two bytes of the text
// are read; anything outside the table, or a missing reading, gives the
// empty text. Readings count from 1; the first is the most common.
Text initialOf(const Text& character, int reading = 1);

}  // namespace quillet
