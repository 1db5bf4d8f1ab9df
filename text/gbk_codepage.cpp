#include "text/gbk_codepage.h"

#include <cstddef>

namespace quillet::gbk {
namespace {

struct GbkBestFit {
    char16_t unit;
    std::uint16_t bytes;
};

#include "text/gbk_table.inc"

constexpr int kTrailsPerLead = 190;  // 40..7E and 80..FE

constexpr bool isTrail(int b) {
    return b >= 0x40 && b <= 0xFE && b != 0x7F;
}

constexpr int trailIndex(int b) {
    return b - 0x40 - (b > 0x7F ? 1 : 0);
}

// The fused conversions pass GBK units straight to UTF-8, which is only
// right while no cell holds half a surrogate pair.
constexpr bool noSurrogateCells() {
    for (char16_t u : kGbkCells) {
        if (u >= 0xD800 && u <= 0xDFFF) return false;
    }
    return true;
}
static_assert(noSurrogateCells());
static_assert(std::size(kGbkCells) == 126 * kTrailsPerLead);

constexpr Tables buildTables() {
    Tables t{};
    for (int b = 0; b < 256; ++b) t.singles[b] = static_cast<char16_t>(b < 0x80 ? b : u'?');
    t.singles[0x80] = kGbkByte80;
    t.singles[0xFF] = kGbkByteFF;

    t.units.fill(kNoGbk);
    for (int b = 0; b < 0x80; ++b) t.units[b] = static_cast<std::uint16_t>(b);
    t.units[kGbkByte80] = 0x80;
    t.units[kGbkByteFF] = 0xFF;

    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0; trail < 256; ++trail) {
            char16_t unit = u'?';
            if (isTrail(trail)) {
                unit = kGbkCells[(lead - 0x81) * kTrailsPerLead + trailIndex(trail)];
                t.units[unit] = static_cast<std::uint16_t>(lead << 8 | trail);
            }
            t.pairs[(lead - 0x81) * 256 + trail] = unit;
        }
    }
    for (const GbkBestFit& fit : kGbkBestFits) t.units[fit.unit] = fit.bytes;
    return t;
}

}  // namespace

constinit const Tables kTables = buildTables();

}  // namespace quillet::gbk
