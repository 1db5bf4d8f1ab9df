// Writes the code page 936 table (text/gbk_table.inc) to standard output.
//
// Source: ICU's "windows-936-2000" mapping, which holds every double-byte cell
// of Windows' code page 936 and, as its fallbacks, Windows' best-fit
// mappings from UTF-16 to GBK. Run through tools/gen_gbk_table.sh.
//
// ICU has five fallbacks that Windows does not: the halfwidth arrows and the
// halfwidth white circle (U+FFE9..U+FFEC, U+FFEE) go to the control bytes
// 1B 18 1A 19 09 there, while Windows writes "?" for them. That exclusion is
// known only from the conversions recorded on Windows (the reference tables
// of the tests); nothing else on this machine says so.

#include <unicode/ucnv.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kFirstLead = 0x81;
constexpr int kLastLead = 0xFE;
constexpr int kCellsPerLead = 190;  // trail 40..7E and 80..FE
constexpr std::size_t kValidCells = 23940;
constexpr std::size_t kBestFits = 412;
constexpr char16_t kNotBestFitOnWindows[] = {0xFFE9, 0xFFEA, 0xFFEB, 0xFFEC, 0xFFEE};

[[noreturn]] void fail(const std::string& why) {
    std::fprintf(stderr, "gen_gbk_table: %s\n", why.c_str());
    std::exit(1);
}

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter openConverter(bool withFallbacks) {
    UErrorCode status = U_ZERO_ERROR;
    Converter c(ucnv_open("windows-936-2000", &status));
    if (U_FAILURE(status))
        fail(std::string("cannot open windows-936-2000: ") + u_errorName(status));
    ucnv_setToUCallBack(c.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setFromUCallBack(c.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setFallback(c.get(), withFallbacks);
    if (U_FAILURE(status)) fail("cannot set the callbacks");
    return c;
}

// The one unit that the bytes convert to, or nothing.
std::optional<char16_t> toUnit(UConverter* c, const std::string& bytes) {
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(c);
    UChar out[4];
    UChar* target = out;
    const char* source = bytes.data();
    ucnv_toUnicode(c, &target, out + 4, &source, bytes.data() + bytes.size(), nullptr, true,
                   &status);
    if (U_FAILURE(status) || target - out != 1) return std::nullopt;
    return static_cast<char16_t>(out[0]);
}

// The bytes that one unit converts to, or nothing.
std::optional<std::string> toBytes(UConverter* c, char16_t unit) {
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(c);
    const UChar in[1] = {unit};
    const UChar* source = in;
    char out[8];
    char* target = out;
    ucnv_fromUnicode(c, &target, out + 8, &source, in + 1, nullptr, true, &status);
    if (U_FAILURE(status) || target == out) return std::nullopt;
    return std::string(out, target);
}

bool isSurrogate(char32_t u) {
    return u >= 0xD800 && u <= 0xDFFF;
}

std::vector<char16_t> readCells(UConverter* c) {
    std::vector<char16_t> cells;
    for (int lead = kFirstLead; lead <= kLastLead; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            auto unit = toUnit(c, pair);
            if (!unit || isSurrogate(*unit)) fail("cell without a unit: " + std::to_string(lead));
            cells.push_back(*unit);
        }
    }
    if (cells.size() != kValidCells) fail("unexpected number of cells");
    return cells;
}

// Units that only a fallback maps, with their bytes, in unit order.
std::map<char16_t, std::string> readBestFits(UConverter* exact, UConverter* withFallbacks) {
    std::map<char16_t, std::string> fits;
    for (char32_t u = 0; u <= 0xFFFF; ++u) {
        const auto unit = static_cast<char16_t>(u);
        if (isSurrogate(u) || toBytes(exact, unit)) continue;
        if (std::find(std::begin(kNotBestFitOnWindows), std::end(kNotBestFitOnWindows), unit) !=
            std::end(kNotBestFitOnWindows)) {
            continue;
        }
        if (auto bytes = toBytes(withFallbacks, unit)) fits.emplace(unit, *bytes);
    }
    if (fits.size() != kBestFits) fail("unexpected number of best-fit mappings");
    return fits;
}

unsigned gbkValue(const std::string& bytes) {
    if (bytes.size() == 1) return static_cast<unsigned char>(bytes[0]);
    if (bytes.size() == 2) {
        return static_cast<unsigned char>(bytes[0]) << 8 | static_cast<unsigned char>(bytes[1]);
    }
    fail("a mapping longer than two bytes");
}

void writeCells(const std::vector<char16_t>& cells) {
    std::printf(
        "// Units of the double-byte cells: for each lead byte 81..FE, the trail bytes\n"
        "// 40..7E then 80..FE.\n"
        "inline constexpr char16_t kGbkCells[%zu] = {\n",
        cells.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i % kCellsPerLead == 0)
            std::printf("    // lead %02zX\n", kFirstLead + i / kCellsPerLead);
        const std::size_t column = i % kCellsPerLead % 12;
        std::printf("%s0x%04X,", column == 0 ? "    " : " ", static_cast<unsigned>(cells[i]));
        if (column == 11 || i % kCellsPerLead == kCellsPerLead - 1) std::printf("\n");
    }
    std::printf("};\n\n");
}

void writeBestFits(const std::map<char16_t, std::string>& fits) {
    std::printf(
        "// Units without a GBK character that Windows writes as a similar one\n"
        "// (bytes: one byte below 0x100, else lead << 8 | trail).\n"
        "inline constexpr GbkBestFit kGbkBestFits[%zu] = {\n",
        fits.size());
    std::size_t i = 0;
    for (const auto& [unit, bytes] : fits) {
        std::printf("%s{0x%04X, 0x%04X},", i % 5 == 0 ? "    " : " ", static_cast<unsigned>(unit),
                    gbkValue(bytes));
        if (i % 5 == 4 || i + 1 == fits.size()) std::printf("\n");
        ++i;
    }
    std::printf("};\n");
}

}  // namespace

int main() {
    Converter exact = openConverter(false);
    Converter withFallbacks = openConverter(true);
    const auto byte80 = toUnit(exact.get(), "\x80");
    const auto byteFF = toUnit(exact.get(), "\xFF");
    if (!byte80 || !byteFF) fail("the single bytes 80 and FF do not map");
    const auto cells = readCells(exact.get());
    const auto fits = readBestFits(exact.get(), withFallbacks.get());

    std::printf(
        "// Generated by tools/gen_gbk_table.sh from ICU's windows-936-2000 mapping.\n"
        "// Do not edit.\n\n"
        "inline constexpr char16_t kGbkByte80 = 0x%04X;\n"
        "inline constexpr char16_t kGbkByteFF = 0x%04X;\n\n",
        static_cast<unsigned>(*byte80), static_cast<unsigned>(*byteFF));
    writeCells(cells);
    writeBestFits(fits);
    return 0;
}
