#pragma once

#include "text/text_types.h"

namespace quillet {

// Character cells: two bytes per character of a GBK text, so that a text can
// be walked one character at a time. A one-byte character is padded with a
// zero byte; a double-byte character fills its cell.
ByteSet toCharCells(const Text& text);

// Characters start .. start+count-1 (counted from 1) of the cells, as a text.
Text midChars(const ByteSet& cells, int start = 1, int count = 1);

// The non-zero bytes of a byte set, as a text.
Text cellsToText(const ByteSet& bytes);

}  // namespace quillet
