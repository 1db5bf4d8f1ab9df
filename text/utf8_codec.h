#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace quillet::utf8 {

// UTF-8 read and written the way Windows' conversions do it with flags 0.

inline constexpr char32_t kReplacement = 0xFFFD;

inline bool isContinuation(std::uint8_t b) {
    return (b & 0xC0) == 0x80;
}

// Continuation bytes a first byte asks for; 0 for a byte that starts nothing
// (80..C1: stray or overlong, F5..FF: beyond U+10FFFF).
inline int continuationCount(std::uint8_t first) {
    if (first < 0xC2) return 0;
    if (first < 0xE0) return 1;
    if (first < 0xF0) return 2;
    return first < 0xF5 ? 3 : 0;
}

// After the first continuation byte the value already tells an overlong form,
// an encoded surrogate or a value above U+10FFFF.
inline bool headFits(int count, char32_t head) {
    if (count == 2) return head >= 0x20 && !(head >= 0x360 && head <= 0x37F);
    if (count == 3) return head >= 0x10 && head < 0x110;
    return true;
}

// Decodes the character whose first byte, 0x80 or above, is at p and moves p
// past what it takes. A bad sequence gives one replacement for its first byte
// and the continuation bytes that were accepted; the byte that broke it is
// read again. A sequence cut short by the end takes all that is left, but only
// while that is continuation bytes: a byte that could start a character is
// never swallowed.
inline char32_t decodeMultiByte(const std::uint8_t*& p, const std::uint8_t* end) {
    const std::uint8_t first = *p++;
    const int count = continuationCount(first);
    if (count == 0) return kReplacement;
    if (end - p < count && std::all_of(p, end, isContinuation)) {
        p = end;
        return kReplacement;
    }
    char32_t value = first & (0x3F >> count);
    for (int i = 0; i < count; ++i) {
        if (p == end || !isContinuation(*p)) return kReplacement;
        value = value << 6 | (*p++ & 0x3F);
        if (i == 0 && !headFits(count, value)) return kReplacement;
    }
    return value;
}

// Writes a code point below U+10000 (surrogates included, as three bytes).
inline std::uint8_t* putBmp(std::uint8_t* out, char32_t cp) {
    if (cp < 0x80) {
        *out++ = static_cast<std::uint8_t>(cp);
    } else if (cp < 0x800) {
        *out++ = static_cast<std::uint8_t>(0xC0 | cp >> 6);
        *out++ = static_cast<std::uint8_t>(0x80 | (cp & 0x3F));
    } else {
        *out++ = static_cast<std::uint8_t>(0xE0 | cp >> 12);
        *out++ = static_cast<std::uint8_t>(0x80 | (cp >> 6 & 0x3F));
        *out++ = static_cast<std::uint8_t>(0x80 | (cp & 0x3F));
    }
    return out;
}

inline std::uint8_t* putSupplementary(std::uint8_t* out, char32_t cp) {
    *out++ = static_cast<std::uint8_t>(0xF0 | cp >> 18);
    *out++ = static_cast<std::uint8_t>(0x80 | (cp >> 12 & 0x3F));
    *out++ = static_cast<std::uint8_t>(0x80 | (cp >> 6 & 0x3F));
    *out++ = static_cast<std::uint8_t>(0x80 | (cp & 0x3F));
    return out;
}

// Length of the run of bytes 01..7F at p, which every conversion here copies
// unchanged. Looks at eight bytes at a time.
inline std::size_t plainAsciiRun(const std::uint8_t* p, const std::uint8_t* end) {
    constexpr std::uint64_t kOnes = 0x0101010101010101;
    constexpr std::uint64_t kHighs = 0x8080808080808080;
    const std::uint8_t* q = p;
    while (end - q >= 8) {
        std::uint64_t word;
        std::memcpy(&word, q, 8);
        const std::uint64_t zeroOrHigh = ((word - kOnes) | word) & kHighs;
        if (zeroOrHigh != 0) break;
        q += 8;
    }
    while (q < end && *q != 0 && *q < 0x80) ++q;
    return static_cast<std::size_t>(q - p);
}

}  // namespace quillet::utf8
