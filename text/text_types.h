#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillet {

// A text: its GBK (code page 936) bytes with no NUL inside. The empty text
// also stands for a missing one.
using Text = std::string;

// A length-counted byte buffer: UTF-16 and UTF-8 forms, character cells,
// executable images.
using ByteSet = std::vector<std::uint8_t>;

// A text becomes a byte set without its terminator.
inline ByteSet textToBytes(const Text& text) { return ByteSet(text.begin(), text.end()); }

// A byte set becomes a text up to its first zero byte.
Text bytesToText(const ByteSet& bytes);

}  // namespace quillet
