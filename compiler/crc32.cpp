#include "compiler/crc32.h"

#include <array>

namespace quillet {
namespace {

// Four tables, so the loop can take four bytes per step.
using Tables = std::array<std::array<std::uint32_t, 256>, 4>;

constexpr Tables makeTables() {
    Tables t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        t[0][i] = c;
    }
    for (std::uint32_t i = 0; i < 256; ++i) {
        for (std::size_t k = 1; k < 4; ++k) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
    }
    return t;
}

constexpr Tables kTables = makeTables();

}  // namespace

std::uint32_t crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc) {
    std::uint32_t c = ~crc;
    const std::uint8_t* p = bytes.data();
    std::size_t n = bytes.size();
    for (; n >= 4; n -= 4, p += 4) {
        c ^= std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
             std::uint32_t(p[3]) << 24;
        c = kTables[3][c & 0xFF] ^ kTables[2][(c >> 8) & 0xFF] ^ kTables[1][(c >> 16) & 0xFF] ^
            kTables[0][c >> 24];
    }
    for (; n > 0; --n, ++p) c = (c >> 8) ^ kTables[0][(c ^ *p) & 0xFF];
    return ~c;
}

}  // namespace quillet
