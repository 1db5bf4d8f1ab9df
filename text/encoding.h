#pragma once

#include <string>
#include <string_view>

#include "text/text_types.h"

namespace quillet {

// Conversions between code page 936 (GBK), UTF-16 and UTF-8 that give the
// same bytes as Windows' MultiByteToWideChar / WideCharToMultiByte with
// flags 0, best-fit mappings and replacement characters included.

// Code page 936 bytes to UTF-16 units (MultiByteToWideChar, CP 936).
std::u16string ansiToUnits(std::string_view ansi);
// UTF-16 units to code page 936 (WideCharToMultiByte, CP 936, no default given).
std::string unitsToAnsi(std::u16string_view units);
// The same; usedDefault tells whether a unit had to become the default "?".
std::string unitsToAnsi(std::u16string_view units, bool& usedDefault);
// UTF-8 bytes to UTF-16 units (MultiByteToWideChar, CP_UTF8). One difference
// from the recorded conversions: a sequence cut short by the end of the input
// swallows only continuation bytes, never a byte that starts a character.
std::u16string utf8ToUnits(std::string_view utf8);
// UTF-16 units to UTF-8 bytes (WideCharToMultiByte, CP_UTF8).
std::string unitsToUtf8(std::u16string_view units);

// The bridge between the system's texts and the code box.
ByteSet ansiToUtf16(const Text& text);  // little-endian units, then one zero unit
ByteSet ansiToUtf8(const Text& text);   // UTF-8 bytes, then one zero byte
Text utf16ToAnsi(const ByteSet& utf16);
Text utf8ToAnsi(const ByteSet& utf8);

}  // namespace quillet
