#include "text/gbk_search.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

constexpr auto npos = std::string_view::npos;

TEST(GbkSearch, FindStepsOverDoubleByteCharacters) {
    // "\x81\x3A" is one extension character whose second byte is ':'.
    EXPECT_EQ(findGbk("\x81\x3A" "C:\\x", ":"), 3u);
    EXPECT_EQ(findGbk("C:\\work", ":"), 1u);
    EXPECT_EQ(findGbk("abc", ""), npos);
    EXPECT_EQ(findGbk("abc", "d"), npos);
    EXPECT_EQ(findGbk("abcabc", "bc", 2), 4u);
    EXPECT_EQ(findGbk("ab", "abc"), npos);
    EXPECT_EQ(findGbk("xABc", "abC", 0, true), 1u);
    EXPECT_EQ(findGbk("xABc", "abC", 0, false), npos);
    // Folding touches A-Z only: 0xC1 and 0xE1 stay different.
    EXPECT_EQ(findGbk("\xC1\xA1", "\xE1\xA1", 0, true), npos);
}

TEST(GbkSearch, ReplaceAllWithoutOverlap) {
    EXPECT_EQ(replaceGbk("aba", "a", "X"), "XbX");
    EXPECT_EQ(replaceGbk("aaa", "aa", "X"), "Xa");
    EXPECT_EQ(replaceGbk("aBA", "a", "X", true), "XBX");
    EXPECT_EQ(replaceGbk("aBA", "a", "X", false), "XBA");
    EXPECT_EQ(replaceGbk("abc", "", "X"), "abc");
    EXPECT_EQ(replaceGbk("", "a", "X"), "");
    // A3 AC straddling two characters is no full-width comma.
    EXPECT_EQ(replaceGbk("\xB0\xA3\xAC\xA1", "\xA3\xAC", ","), "\xB0\xA3\xAC\xA1");
    EXPECT_EQ(replaceGbk("\xB0\xA3\xA3\xAC", "\xA3\xAC", ","), "\xB0\xA3,");
}

}  // namespace
}  // namespace quillet
