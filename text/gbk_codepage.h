#pragma once

#include <array>
#include <cstdint>

namespace quillet::gbk {

// Code page 936 as Windows converts it, one character at a time.

// GBK form of a unit that has none: Windows writes its default character.
inline constexpr std::uint16_t kNoGbk = 0xFFFF;

struct Tables {
    // Unit of each byte that is not a lead byte.
    std::array<char16_t, 256> singles;
    // Unit of lead 81..FE followed by any trail byte; '?' where the pair is no character.
    std::array<char16_t, 126 * 256> pairs;
    // GBK form of each unit: below 0x100 one byte, else lead << 8 | trail, or kNoGbk.
    std::array<std::uint16_t, 0x10000> units;
};

extern const Tables kTables;

inline bool isLead(std::uint8_t b) {
    return b >= 0x81 && b <= 0xFE;
}

inline char16_t singleUnit(std::uint8_t b) {
    return kTables.singles[b];
}

inline char16_t pairUnit(std::uint8_t lead, std::uint8_t trail) {
    return kTables.pairs[(lead - 0x81) * 256 + trail];
}

inline std::uint16_t unitToGbk(char16_t unit) {
    return kTables.units[unit];
}

}  // namespace quillet::gbk
