// Every line of the conversions recorded from Windows' MultiByteToWideChar and
// WideCharToMultiByte (code page 936 and UTF-8, flags 0) against ours.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "text/encoding.h"

namespace quillet {
namespace {

const std::string kTables = std::string(QUILLET_SHARED_DIR) + "/oracle/cp936/";

std::vector<std::string> readLines(const std::string& name) {
    std::ifstream in(kTables + name);
    EXPECT_TRUE(in) << "cannot open " << kTables + name;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

std::string bytesFromHex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
    EXPECT_EQ(hex.size() % 2, 0u) << hex;
    return bytes;
}

std::u16string unitsFromHex(std::vector<std::string>::const_iterator first,
                            std::vector<std::string>::const_iterator last) {
    std::u16string units;
    for (; first != last; ++first)
        units.push_back(static_cast<char16_t>(std::stoi(*first, nullptr, 16)));
    return units;
}

std::string hexOf(std::u16string_view units) {
    std::string out;
    char buf[8];
    for (char16_t u : units) {
        std::snprintf(buf, sizeof buf, "%04X ", static_cast<unsigned>(u));
        out += buf;
    }
    return out;
}

std::string hexOf(std::string_view bytes) {
    std::string out;
    char buf[4];
    for (char b : bytes) {
        std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned char>(b));
        out += buf;
    }
    return out;
}

// "BYTES UUUU UUUU...": one input and the units it gives.
struct BytesToUnits {
    std::string bytes;
    std::u16string units;
};

std::vector<BytesToUnits> readBytesToUnits(const std::string& name) {
    std::vector<BytesToUnits> cases;
    for (const std::string& line : readLines(name)) {
        const auto w = words(line);
        if (line.find("len=-1") != std::string::npos) continue;  // read by its own test
        cases.push_back({bytesFromHex(w.at(0)), unitsFromHex(w.begin() + 1, w.end())});
    }
    return cases;
}

// "UUUU UUUU... -> BYTES [default=0|1]".
struct UnitsToBytes {
    std::u16string units;
    std::string bytes;
    int usedDefault;  // -1 where the table does not say
};

std::vector<UnitsToBytes> readUnitsToBytes(const std::string& name) {
    std::vector<UnitsToBytes> cases;
    for (const std::string& line : readLines(name)) {
        const auto w = words(line);
        const auto arrow = std::find(w.begin(), w.end(), "->");
        EXPECT_NE(arrow, w.end()) << line;
        if (arrow == w.end() || arrow + 1 == w.end()) continue;
        int usedDefault = -1;
        if (arrow + 2 != w.end()) usedDefault = *(arrow + 2) == "default=1" ? 1 : 0;
        cases.push_back({unitsFromHex(w.begin(), arrow), bytesFromHex(*(arrow + 1)), usedDefault});
    }
    return cases;
}

std::u16string upToZeroUnit(const std::u16string& units) {
    return units.substr(0, units.find(u'\0'));
}

TEST(EncodingOracle, Cp936ToUtf16EveryLine) {
    const std::map<std::string, std::size_t> files = {
        {"mb2wc_936_1byte.txt", 256}, {"mb2wc_936_2byte.txt", 32256}, {"mb2wc_936_misc.txt", 32}};
    for (const auto& [name, count] : files) {
        const auto cases = readBytesToUnits(name);
        EXPECT_EQ(cases.size(), count) << name;
        for (const auto& c : cases) {
            EXPECT_EQ(hexOf(ansiToUnits(c.bytes)), hexOf(c.units))
                << name << ": " << hexOf(c.bytes);
        }
    }
}

// The bridge's own GBK to UTF-8 path, against the recorded units taken on to
// UTF-8. A text ends at its first NUL, so inputs holding one are left out.
TEST(EncodingOracle, Cp936ToUtf8Bridge) {
    for (const char* name : {"mb2wc_936_1byte.txt", "mb2wc_936_2byte.txt", "mb2wc_936_misc.txt"}) {
        for (const auto& c : readBytesToUnits(name)) {
            if (c.bytes.find('\0') != std::string::npos) continue;
            const std::string utf8 = unitsToUtf8(c.units) + '\0';
            const ByteSet got = ansiToUtf8(c.bytes);
            EXPECT_EQ(hexOf(std::string(got.begin(), got.end())), hexOf(utf8)) << hexOf(c.bytes);
        }
    }
}

TEST(EncodingOracle, Cp936NulTerminatedCall) {
    // "D6D0CEC4 len=-1 -> size=3 n=3 units=4E2D 6587 0000": the length taken
    // from the terminator converts the terminator too.
    const auto lines = readLines("mb2wc_936_misc.txt");
    const auto line = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.find("len=-1") != std::string::npos;
    });
    ASSERT_NE(line, lines.end());
    const auto w = words(*line);
    ASSERT_GE(w.size(), 6u);
    std::vector<std::string> unitWords(w.begin() + 5, w.end());
    unitWords[0] = unitWords[0].substr(std::string("units=").size());
    const std::u16string expected = unitsFromHex(unitWords.begin(), unitWords.end());
    const std::string input = bytesFromHex(w[0]) + '\0';
    EXPECT_EQ(hexOf(ansiToUnits(input)), hexOf(expected));
    EXPECT_EQ(std::to_string(ansiToUnits(input).size()), w[3].substr(5));
    // ansiToUtf16 holds the same units, the zero unit last.
    const ByteSet utf16 = ansiToUtf16(bytesFromHex(w[0]));
    ASSERT_EQ(utf16.size(), 2 * expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(utf16[2 * i] | utf16[2 * i + 1] << 8, expected[i]);
    }
}

TEST(EncodingOracle, Utf16ToCp936EveryLine) {
    const std::map<std::string, std::size_t> files = {{"wc2mb_936.txt", 65536},
                                                      {"wc2mb_936_misc.txt", 16}};
    for (const auto& [name, count] : files) {
        const auto cases = readUnitsToBytes(name);
        EXPECT_EQ(cases.size(), count) << name;
        for (const auto& c : cases) {
            bool usedDefault = false;
            EXPECT_EQ(hexOf(unitsToAnsi(c.units, usedDefault)), hexOf(c.bytes))
                << name << ": " << hexOf(c.units);
            if (c.usedDefault >= 0) {
                EXPECT_EQ(usedDefault, c.usedDefault == 1) << hexOf(c.units);
            }
        }
    }
}

// The recorder ends a sequence that the end of the input cuts short with one
// U+FFFD for all that is left, even where that holds a byte that starts a
// character ("E0 41" gives U+FFFD alone). We read such a byte again, as for a
// sequence cut short by any other byte, so "E0 41" gives U+FFFD U+0041. These
// are the recorded lines this changes, with what we give instead.
std::map<std::string, std::u16string> readAgainInsteadOfSwallowed(
    const std::vector<BytesToUnits>& oneByteInputs) {
    std::map<std::string, std::u16string> alone;
    for (const auto& c : oneByteInputs) alone[c.bytes] = c.units;
    std::map<std::string, std::u16string> changed = {{"\xE0\x41", u"\uFFFD\u0041"}};
    for (int first = 0xE0; first <= 0xF4; ++first) {
        for (int second = 0; second < 256; ++second) {
            if (second >= 0x80 && second <= 0xBF) continue;  // continuation bytes stay swallowed
            const std::string byte(1, static_cast<char>(second));
            changed[std::string(1, static_cast<char>(first)) + byte] = u"\uFFFD" + alone.at(byte);
        }
    }
    return changed;
}

TEST(EncodingOracle, Utf8ToUtf16EveryLine) {
    auto twoByte = readBytesToUnits("utf8_mb2wc_2byte.txt");
    ASSERT_EQ(twoByte.size(), 33024u);
    const std::vector<BytesToUnits> oneByte(twoByte.begin(), twoByte.begin() + 256);
    const auto changed = readAgainInsteadOfSwallowed(oneByte);
    auto cases = readBytesToUnits("utf8_mb2wc_cases.txt");
    EXPECT_EQ(cases.size(), 59u);
    cases.insert(cases.end(), twoByte.begin(), twoByte.end());

    std::set<std::string> changedSeen;
    for (const auto& c : cases) {
        std::u16string expected = c.units;
        if (auto it = changed.find(c.bytes); it != changed.end()) {
            // Where we differ, the recording is exactly the swallowing one.
            EXPECT_EQ(hexOf(c.units), "FFFD ") << hexOf(c.bytes);
            expected = it->second;
            changedSeen.insert(c.bytes);
        }
        EXPECT_EQ(hexOf(utf8ToUnits(c.bytes)), hexOf(expected)) << hexOf(c.bytes);
        // The bridge's fused path: the set as the code box hands it over.
        const ByteSet set(c.bytes.begin(), c.bytes.end());
        const bool terminated = set.empty() || set.back() < 127;
        const std::u16string untilZero = upToZeroUnit(expected);
        EXPECT_EQ(hexOf(utf8ToAnsi(set)), hexOf(unitsToAnsi(untilZero)))
            << hexOf(c.bytes) << (terminated ? " (terminated)" : "");
    }
    EXPECT_EQ(changedSeen.size(), changed.size());
}

TEST(EncodingOracle, Utf16ToUtf8EveryLine) {
    const std::map<std::string, std::size_t> files = {{"utf8_wc2mb_1unit.txt", 65536},
                                                      {"utf8_wc2mb_cases.txt", 23}};
    for (const auto& [name, count] : files) {
        const auto cases = readUnitsToBytes(name);
        EXPECT_EQ(cases.size(), count) << name;
        for (const auto& c : cases) {
            EXPECT_EQ(hexOf(unitsToUtf8(c.units)), hexOf(c.bytes))
                << name << ": " << hexOf(c.units);
        }
    }
}

// Both recorded directions at once: the UTF-8 of each unit, through the
// bridge, gives that unit's GBK form (the zero unit ends a text instead).
TEST(EncodingOracle, Utf8ToCp936Bridge) {
    const auto toUtf8 = readUnitsToBytes("utf8_wc2mb_1unit.txt");
    const auto toGbk = readUnitsToBytes("wc2mb_936.txt");
    ASSERT_EQ(toUtf8.size(), toGbk.size());
    for (std::size_t i = 1; i < toUtf8.size(); ++i) {
        ASSERT_EQ(toUtf8[i].units, toGbk[i].units);
        const ByteSet set(toUtf8[i].bytes.begin(), toUtf8[i].bytes.end());
        EXPECT_EQ(hexOf(utf8ToAnsi(set)), hexOf(toGbk[i].bytes)) << hexOf(toGbk[i].units);
    }
}

}  // namespace
}  // namespace quillet
