#pragma once

#include "text/text_types.h"

namespace quillet {

// Everything of `text` before the first `separator` at or after byte
// `start` (from 1; below 1 counts as 1), stepping whole GBK characters; the
// empty text when the separator does not occur.
Text textBefore(const Text& text, const Text& separator, int start = 1, bool ignoreCase = false);

// A path or name as the batch runner reads it: as it is when it holds only
// ordinary characters, else in double quotes with inner quotes doubled.
Text batchArgument(const Text& text);

// The three lines, each ended by CR LF, that change into debugDir and run
// the compiler on the script there.
Text batchText(const Text& debugDir, const Text& sourceFileName);

}  // namespace quillet
