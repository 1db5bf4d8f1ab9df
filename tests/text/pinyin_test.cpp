#include "text/pinyin.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace quillet {
namespace {

Text code(unsigned first, unsigned second) {
    return Text{static_cast<char>(first), static_cast<char>(second)};
}

TEST(InitialOf, RowsOfTheReferenceTable) {
    struct Case {
        Text character;
        const char* name;
        std::vector<Text> initials;  // reading 1, 2, ...
    } cases[] = {
        {"\xB0\xA1", "啊", {"a"}},
        {"\xB0\xB2", "安", {"an"}},
        {"\xB0\xAE", "爱", {"ai"}},
        {"\xB6\xFE", "二", {"er"}},
        {"\xD6\xD0", "中", {"zh"}},
        {"\xD2\xBB", "一", {"y"}},
        {"\xCD\xF5", "王", {"w"}},
        {"\xD0\xD0", "行", {"x", "h", "h"}},  // xing, hang, heng
        {"\xB3\xA4", "长", {"ch", "zh"}},
        {"\xD6\xD8", "重", {"zh", "ch"}},
        {"\xBA\xCD", "和", {"h", "h", "h"}},     // he, hu, huo
        {"\xD7\xC5", "着", {"zh", "zh", "zh"}},  // zhe, zhao, zhuo
        {"\xD7\xFA", "(unassigned)", {}},
    };
    for (const auto& c : cases) {
        const int readings = static_cast<int>(c.initials.size());
        for (int r = 1; r <= readings; ++r) {
            EXPECT_EQ(initialOf(c.character, r), c.initials[r - 1]) << c.name << " reading " << r;
        }
        EXPECT_EQ(initialOf(c.character, readings + 1), "") << c.name << " beyond the last";
    }
    EXPECT_EQ(initialOf("\xB0\xA1"), "a");  // reading 1 when none is given
}

TEST(InitialOf, FinalsWithUmlautAndSyllabicNasals) {
    EXPECT_EQ(initialOf("\xC2\xCC"), "l");   // 绿 lv
    EXPECT_EQ(initialOf("\xC5\xAE"), "n");   // 女 nv
    EXPECT_EQ(initialOf("\xCA\xC7"), "sh");  // 是
    EXPECT_EQ(initialOf("\xC8\xCB"), "r");   // 人
    EXPECT_EQ(initialOf("\xC5\xB7"), "ou");  // 欧
    EXPECT_EQ(initialOf("\xB6\xF6"), "e");   // 饿
    EXPECT_EQ(initialOf("\xE0\xC5"), "n");   // 嗯, first read n
}

TEST(InitialOf, OnlyGb2312ChineseCharactersHaveInitials) {
    const Text outside[] = {
        "",
        "a",
        "\xD6",  // shorter than two bytes
        "ab",
        "1\xD6\xD0",       // one-byte character first
        code(0xAF, 0xFE),  // first byte below B0
        code(0xF8, 0xA1),  // first byte above F7
        code(0xB0, 0xA0),  // second byte below A1
        code(0xB0, 0xFF),  // second byte above FE
        code(0xB0, 0x40),  // GBK extension in the B0 row
        "\xA1\xA3",        // GB2312 symbol 。
        "\xA3\xC1",        // full-width A
        "\x81\x40",        // GBK extension character
    };
    for (const Text& text : outside) {
        EXPECT_EQ(initialOf(text), "") << testing::PrintToString(text);
    }
    for (unsigned second = 0xFA; second <= 0xFE; ++second) {
        EXPECT_EQ(initialOf(code(0xD7, second)), "") << "D7" << std::hex << second;
    }
}

TEST(InitialOf, ReadsOnlyTheFirstTwoBytes) {
    EXPECT_EQ(initialOf("\xD6\xD0\xCE\xC4"), "zh");  // 中文
    EXPECT_EQ(initialOf("\xB0\xB2"
                        "abc"),
              "an");
    EXPECT_EQ(initialOf(Text("\xD6\xD0\0x", 4)), "zh");
}

TEST(InitialOf, ReadingNumbersOutsideTheList) {
    const Text zhong = "\xD6\xD0";  // 中: zhong only
    EXPECT_EQ(initialOf(zhong, 0), "");
    EXPECT_EQ(initialOf(zhong, -1), "");
    EXPECT_EQ(initialOf(zhong, 2), "");
    EXPECT_EQ(initialOf("\xB3\xA4", 3), "");  // 长 has two
}

// Every assigned code has a first reading, and every result is an initial
// consonant or a whole syllable without one.
TEST(InitialOf, EveryCodeOfTheTable) {
    const std::set<Text> allowed = {"b",  "p",  "m",  "f",  "d",  "t",   "n",   "l",  "g",
                                    "k",  "h",  "j",  "q",  "x",  "zh",  "ch",  "sh", "r",
                                    "z",  "c",  "s",  "y",  "w",  "a",   "o",   "e",  "ai",
                                    "ei", "ao", "ou", "an", "en", "ang", "eng", "er"};
    int empty = 0;
    for (unsigned first = 0xB0; first <= 0xF7; ++first) {
        for (unsigned second = 0xA1; second <= 0xFE; ++second) {
            const Text initial = initialOf(code(first, second));
            if (initial.empty()) {
                ++empty;
                continue;
            }
            EXPECT_TRUE(allowed.count(initial)) << std::hex << first << second << ": " << initial;
            for (int r = 2; !initialOf(code(first, second), r).empty(); ++r) {
                EXPECT_TRUE(allowed.count(initialOf(code(first, second), r)));
            }
        }
    }
    EXPECT_EQ(empty, 5);  // D7FA-D7FE
}

// The committed table is what the generator makes from the Unihan readings.
TEST(PinyinTable, MatchesTheGenerator) {
    const std::filesystem::path unihan = "/usr/share/unicode/Unihan_Readings.txt.bz2";
    if (!std::filesystem::exists(unihan)) GTEST_SKIP() << "unicode-data is not installed";
    const std::filesystem::path source = QUILLET_SOURCE_DIR;
    const auto fresh = std::filesystem::temp_directory_path() /
                       ("pinyin_table_" + std::to_string(::getpid()) + ".inc");
    const std::string command = "python3 '" + (source / "tools/gen_pinyin_table.py").string() +
                                "' --unihan '" + unihan.string() + "' --output '" + fresh.string() +
                                "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    auto read = [](const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    };
    const std::string made = read(fresh);
    std::filesystem::remove(fresh);
    EXPECT_FALSE(made.empty());
    EXPECT_TRUE(made == read(source / "text/pinyin_table.inc"))
        << "text/pinyin_table.inc is out of date: run tools/gen_pinyin_table.py";
}

}  // namespace
}  // namespace quillet
