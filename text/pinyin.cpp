#include "text/pinyin.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

namespace quillet {
namespace {

#include "text/pinyin_table.inc"

constexpr unsigned kFirstByteMin = 0xB0, kFirstByteMax = 0xF7;
constexpr unsigned kSecondByteMin = 0xA1, kSecondByteMax = 0xFE;
constexpr std::size_t kColumns = kSecondByteMax - kSecondByteMin + 1;
constexpr std::size_t kCodes = (kFirstByteMax - kFirstByteMin + 1) * kColumns;

static_assert(std::size(kReadingStart) == kCodes + 1);
static_assert(kReadingStart[kCodes] == std::size(kReadings));

// Two-letter consonants first, so that zh is not taken for z.
constexpr std::string_view kInitials[] = {"zh", "ch", "sh", "b", "p", "m", "f", "d",
                                          "t",  "n",  "l",  "g", "k", "h", "j", "q",
                                          "x",  "r",  "z",  "c", "s", "y", "w"};

// A syllable without an initial consonant keeps its whole final in its place.
std::string_view initialOfSyllable(std::string_view syllable) {
    for (std::string_view initial : kInitials) {
        if (syllable.starts_with(initial)) return initial;
    }
    return syllable;
}

}  // namespace

Text initialOf(const Text& character, int reading) {
    if (character.size() < 2) return {};
    const unsigned first = static_cast<std::uint8_t>(character[0]);
    const unsigned second = static_cast<std::uint8_t>(character[1]);
    if (first < kFirstByteMin || first > kFirstByteMax) return {};
    if (second < kSecondByteMin || second > kSecondByteMax) return {};

    const std::size_t code = (first - kFirstByteMin) * kColumns + (second - kSecondByteMin);
    const std::size_t begin = kReadingStart[code];
    const std::size_t count = kReadingStart[code + 1] - begin;
    if (reading < 1 || static_cast<std::size_t>(reading) > count) return {};
    return Text(initialOfSyllable(kSyllables[kReadings[begin + reading - 1]]));
}

}  // namespace quillet
