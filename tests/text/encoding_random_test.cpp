// Random inputs through every conversion: nothing breaks (the sanitizer build
// watches memory), the fused bridge gives the bytes of the step-by-step
// algorithms, and round trips hold where they must.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "text/encoding.h"

namespace quillet {
namespace {

constexpr int kRounds = 20000;

bool isHigh(char16_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool isLow(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

std::string asString(const ByteSet& set) {
    return std::string(set.begin(), set.end());
}

// ansiToUtf8 step by step: UTF-16 with its zero unit, all of it to UTF-8,
// then up to and including the first zero byte.
ByteSet ansiToUtf8Stepwise(const Text& text) {
    const ByteSet utf16 = ansiToUtf16(text);
    std::u16string units;
    for (std::size_t i = 0; i + 1 < utf16.size(); i += 2) {
        units.push_back(static_cast<char16_t>(utf16[i] | utf16[i + 1] << 8));
    }
    const std::string utf8 = unitsToUtf8(units);
    return ByteSet(utf8.begin(), utf8.begin() + static_cast<std::ptrdiff_t>(utf8.find('\0') + 1));
}

// utf8ToAnsi step by step: terminate, all bytes to UTF-16, then utf16ToAnsi.
Text utf8ToAnsiStepwise(ByteSet utf8) {
    if (utf8.empty() || utf8.back() < 127) utf8.push_back(0);
    ByteSet utf16;
    for (char16_t u : utf8ToUnits(asString(utf8))) {
        utf16.push_back(static_cast<std::uint8_t>(u & 0xFF));
        utf16.push_back(static_cast<std::uint8_t>(u >> 8));
    }
    return utf16ToAnsi(utf16);
}

class Random {
  public:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(engine_); }

    std::string anyBytes() {
        std::string s(static_cast<std::size_t>(below(40)), '\0');
        for (char& c : s) c = static_cast<char>(below(256));
        return s;
    }

    // A valid GBK text: ASCII without NUL, the two single high bytes, cells.
    std::string validGbk() {
        std::string s;
        for (int n = below(30); n > 0; --n) {
            switch (below(4)) {
                case 0:
                    s += static_cast<char>(between(1, 0x7F));
                    break;
                case 1:
                    s += below(2) ? '\x80' : '\xFF';
                    break;
                default: {
                    s += static_cast<char>(between(0x81, 0xFE));
                    int trail = between(0x40, 0xFD);
                    s += static_cast<char>(trail >= 0x7F ? trail + 1 : trail);
                }
            }
        }
        return s;
    }

    // Bytes that look like UTF-8 often enough to reach every branch: whole
    // characters, stray and cut-off pieces, zero bytes and 7F.
    std::string utf8ish() {
        static const char* const kPieces[] = {
            "a",    "\x7F",     "\0",       "\xE4\xB8\xAD",     "\xC3",
            "\xE4", "\xE4\xB8", "\xF0\x9F", "\xF0\x9F\x98\x80", "\x80",
            "\xBF", "\xED\xA0", "\xF4\x90", "\xC0\x80"};
        std::string s;
        for (int n = below(12); n > 0; --n) {
            const char* piece = kPieces[below(std::size(kPieces))];
            s += *piece == '\0' ? std::string(1, '\0') : std::string(piece);
            if (below(4) == 0) s += static_cast<char>(below(256));
        }
        return s;
    }

    std::u16string anyUnits() {
        std::u16string u(static_cast<std::size_t>(below(20)), u'\0');
        for (char16_t& c : u)
            c = static_cast<char16_t>(below(4) == 0 ? between(0xD800, 0xDFFF) : below(0x10000));
        return u;
    }

  private:
    std::mt19937 engine_{20240601};
};

TEST(EncodingRandom, FusedBridgeEqualsTheStepwiseAlgorithms) {
    Random rnd;
    for (int i = 0; i < kRounds; ++i) {
        const std::string gbk = i % 2 ? rnd.anyBytes() : rnd.validGbk();
        const ByteSet utf8 = ansiToUtf8(gbk);
        ASSERT_EQ(utf8, ansiToUtf8Stepwise(gbk));
        ASSERT_EQ(std::count(utf8.begin(), utf8.end(), 0), 1);
        ASSERT_EQ(utf8.back(), 0);

        for (const std::string& raw : {rnd.anyBytes(), rnd.utf8ish()}) {
            const ByteSet set(raw.begin(), raw.end());
            const Text ansi = utf8ToAnsi(set);
            ASSERT_EQ(ansi, utf8ToAnsiStepwise(set));
            ASSERT_EQ(ansi.find('\0'), Text::npos);
        }
    }
}

TEST(EncodingRandom, ValidGbkSurvivesEveryRoundTrip) {
    Random rnd;
    for (int i = 0; i < kRounds; ++i) {
        const std::string gbk = rnd.validGbk();
        ASSERT_EQ(utf8ToAnsi(ansiToUtf8(gbk)), gbk);
        ASSERT_EQ(unitsToAnsi(ansiToUnits(gbk)), gbk);
        ASSERT_EQ(utf16ToAnsi(ansiToUtf16(gbk)), gbk);
    }
}

TEST(EncodingRandom, EveryGbkCharacterSurvivesTheBridge) {
    std::string all = "\x80\xFF";
    for (int b = 1; b < 0x80; ++b) all += static_cast<char>(b);
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            all += static_cast<char>(lead);
            all += static_cast<char>(trail);
        }
    }
    EXPECT_EQ(utf8ToAnsi(ansiToUtf8(all)), all);
    // 23,940 cells, 127 ASCII characters and the two single high bytes, each a distinct unit.
    std::u16string units = ansiToUnits(all);
    EXPECT_EQ(units.size(), 23940u + 127 + 2);
    std::sort(units.begin(), units.end());
    EXPECT_EQ(std::adjacent_find(units.begin(), units.end()), units.end());
}

TEST(EncodingRandom, UnitsAndUtf8) {
    Random rnd;
    for (int i = 0; i < kRounds; ++i) {
        // Whatever the bytes, their units are well formed and go through UTF-8 unchanged.
        const std::string raw = i % 2 ? rnd.anyBytes() : rnd.utf8ish();
        const std::u16string decoded = utf8ToUnits(raw);
        ASSERT_LE(decoded.size(), raw.size());
        ASSERT_EQ(utf8ToUnits(unitsToUtf8(decoded)), decoded);

        // Units with lone surrogates come back with U+FFFD in their place.
        const std::u16string units = rnd.anyUnits();
        std::u16string expected;
        for (std::size_t k = 0; k < units.size(); ++k) {
            if (isHigh(units[k]) && k + 1 < units.size() && isLow(units[k + 1])) {
                expected += units.substr(k++, 2);
            } else {
                expected += isHigh(units[k]) || isLow(units[k]) ? u'\uFFFD' : units[k];
            }
        }
        ASSERT_EQ(utf8ToUnits(unitsToUtf8(units)), expected);

        // GBK bytes: never more units than bytes, never a surrogate, at most two bytes per unit
        // back.
        const std::string gbk = rnd.anyBytes();
        const std::u16string gbkUnits = ansiToUnits(gbk);
        ASSERT_LE(gbkUnits.size(), gbk.size());
        ASSERT_TRUE(std::none_of(gbkUnits.begin(), gbkUnits.end(),
                                 [](char16_t u) { return isHigh(u) || isLow(u); }));
        ASSERT_LE(unitsToAnsi(units).size(), 2 * units.size());
    }
}

}  // namespace
}  // namespace quillet
