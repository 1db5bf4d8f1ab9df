#include "text/encoding.h"

#include <gtest/gtest.h>

#include "support/byte_literal.h"

namespace quillet {
namespace {

using testing::bytes;

const Text kZhong = "\xD6\xD0";  // 中

TEST(EncodingBridge, AnsiToUtf16EndsInOneZeroUnit) {
    struct Case {
        Text text;
        ByteSet expected;
    } cases[] = {
        {"", bytes({0, 0})},
        {"ab", bytes({0x61, 0, 0x62, 0, 0, 0})},
        {kZhong, bytes({0x2D, 0x4E, 0, 0})},
        {"\xD6", bytes({0x3F, 0, 0, 0})},                     // a lead byte cut off by the end
        {Text("a\0b", 3), bytes({0x61, 0, 0, 0})},            // a text ends at its NUL
        {"\x80\xFF", bytes({0xAC, 0x20, 0xF5, 0xF8, 0, 0})},  // the two single high bytes
    };
    for (const auto& c : cases) EXPECT_EQ(ansiToUtf16(c.text), c.expected) << c.text;
}

TEST(EncodingBridge, AnsiToUtf8EndsInOneZeroByte) {
    struct Case {
        Text text;
        ByteSet expected;
    } cases[] = {
        {"", bytes({0})},
        {"ab", bytes({0x61, 0x62, 0})},
        {kZhong, bytes({0xE4, 0xB8, 0xAD, 0})},
        {"a" + kZhong + "b", bytes({0x61, 0xE4, 0xB8, 0xAD, 0x62, 0})},
        {"\x81\x40", bytes({0xE4, 0xB8, 0x82, 0})},  // extension character, ASCII trail byte
        {"\xD6", bytes({0x3F, 0})},
        {"\x81\x7F", bytes({0x3F, 0})},  // no character: both bytes give one "?"
        {Text("a\0b", 3), bytes({0x61, 0})},
    };
    for (const auto& c : cases) EXPECT_EQ(ansiToUtf8(c.text), c.expected) << c.text;
}

TEST(EncodingBridge, Utf8ToAnsiTermination) {
    struct Case {
        ByteSet utf8;
        Text expected;
    } cases[] = {
        {bytes({0xE4, 0xB8, 0xAD, 0}), kZhong},
        {bytes({0xE4, 0xB8, 0xAD}), kZhong},  // last byte 0xAD: nothing appended, all converted
        {bytes({0x61, 0x62}), "ab"},          // a zero byte appended
        {bytes({0x61, 0x7F}), "a\x7F"},       // 127 appends nothing either
        {bytes({}), ""},
        {bytes({0}), ""},
        {bytes({0x61, 0, 0x62, 0}), "a"},         // the result ends at the first zero unit
        {bytes({0x61, 0xE4, 0xB8}), "a?"},        // cut inside a character
        {bytes({0xF0, 0x9F, 0x98, 0x80}), "??"},  // two surrogate units, neither in GBK
        {bytes({0xC3, 0xA4, 0}), "?"},            // U+00E4 has no GBK form and no best fit
        {bytes({0xC2, 0xB2, 0}), "2"},            // U+00B2 has a best fit
    };
    for (const auto& c : cases) EXPECT_EQ(utf8ToAnsi(c.utf8), c.expected);
}

TEST(EncodingBridge, Utf16ToAnsiReadsUpToTheZeroUnitOrTheEnd) {
    struct Case {
        ByteSet utf16;
        Text expected;
    } cases[] = {
        {bytes({0x2D, 0x4E, 0x61, 0}), kZhong + "a"},  // no zero unit: all of it
        {bytes({0x2D, 0x4E, 0, 0}), kZhong},
        {bytes({0x61, 0, 0, 0, 0x62, 0}), "a"},
        {bytes({0x2D, 0x4E, 0x61}), kZhong},  // a trailing odd byte is half a unit, never read
        {bytes({0x61}), ""},
        {bytes({}), ""},
        {bytes({0x3D, 0xD8, 0x00, 0xDE}), "??"},  // a surrogate pair, one unit at a time
    };
    for (const auto& c : cases) EXPECT_EQ(utf16ToAnsi(c.utf16), c.expected);
}

// Where the recorded conversions end a cut-short sequence by swallowing the
// rest of the input, a byte that starts a character is read again instead.
TEST(Utf8ToUnits, CutShortByTheEndSwallowsOnlyContinuationBytes) {
    struct Case {
        std::string utf8;
        std::u16string expected;
    } cases[] = {
        {"\xE0\x41", u"\uFFFD\u0041"},
        {"\xF0\x9F\x41", u"\uFFFD\u0041"},
        {"\xF4\x90\x41", u"\uFFFD\u0041"},  // above U+10FFFF
        {std::string("\xE4\0", 2), std::u16string(u"\uFFFD\0", 2)},
        {"\xE4\xC3\xA9", u"\uFFFD\u00E9"},
        // Continuation bytes alone are still taken together, as recorded.
        {"\xE4\xB8", u"\uFFFD"},
        {"\xF0\x9F\x98", u"\uFFFD"},
        {"\xF0\x80\x80", u"\uFFFD"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8ToUnits(c.utf8), c.expected) << c.utf8.size();
    }
    // Text cut at the caret after a broken sequence keeps what follows it.
    EXPECT_EQ(utf8ToAnsi(bytes({0xF0, 0x41})), "?A");
}

}  // namespace
}  // namespace quillet
