#include "text/regex_object.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

// GBK bytes of a few characters used below.
const Text kZhong = "\xD6\xD0";      // 中
const Text kWen = "\xCE\xC4";        // 文
const Text kNotEqual = "\xA1\xD9";   // ≠
const Text kIdeoSpace = "\xA1\xA1";  // U+3000

TEST(RegexObject, EmptyObjectAnswersDefaults) {
    RegexObject re;
    EXPECT_FALSE(re.test("a"));
    EXPECT_EQ(re.execute("a"), 0);
    EXPECT_TRUE(re.matches().empty());
    EXPECT_EQ(re.matchValue(1), "");
    EXPECT_EQ(re.subMatchCount(1), 0);
    EXPECT_EQ(re.subMatch(1, 1), "");
    Text subject = "aba";
    EXPECT_EQ(re.replaceMatches(subject, "X"), "aba");
    EXPECT_EQ(subject, "aba");
}

TEST(RegexObject, DefaultsIgnoreCaseAndSearchGlobally) {
    RegexObject re;
    ASSERT_TRUE(re.create("^[a-z\\<\\>]*$"));
    EXPECT_TRUE(re.test("ABC<def>"));
    EXPECT_TRUE(re.test(""));
    EXPECT_FALSE(re.test("a1"));

    ASSERT_TRUE(re.create("a"));
    EXPECT_EQ(re.execute("aAxa"), 3);

    ASSERT_TRUE(re.create("a", true));
    EXPECT_FALSE(re.test("A"));
    EXPECT_EQ(re.execute("aAxa"), 2);

    ASSERT_TRUE(re.create("a", false, false));
    EXPECT_EQ(re.execute("aAxa"), 1);
    EXPECT_EQ(re.matchValue(1), "a");
    EXPECT_EQ(re.matchValue(2), "");
}

TEST(RegexObject, MatchValuesAndSubMatches) {
    RegexObject re;
    ASSERT_TRUE(re.create("(a)|(b)"));
    ASSERT_EQ(re.execute("xbya"), 2);
    EXPECT_EQ(re.matchValue(1), "b");
    EXPECT_EQ(re.matchValue(2), "a");
    for (int index : {0, 3, -1}) EXPECT_EQ(re.matchValue(index), "") << index;
    EXPECT_EQ(re.subMatchCount(1), 2);
    EXPECT_EQ(re.subMatchCount(3), 0);
    EXPECT_EQ(re.subMatch(1, 1), "");  // (a) took no part
    EXPECT_EQ(re.subMatch(1, 2), "b");
    EXPECT_EQ(re.subMatch(2, 1), "a");
    EXPECT_EQ(re.subMatch(1, 0), "");
    EXPECT_EQ(re.subMatch(1, 3), "");
}

TEST(RegexObject, GbkTextsMatchByCharacter) {
    RegexObject re;
    ASSERT_TRUE(re.create(kZhong + "(" + kWen + ")"));
    ASSERT_EQ(re.execute("x" + kZhong + kWen + kZhong + kWen), 2);
    EXPECT_EQ(re.matchValue(2), kZhong + kWen);
    EXPECT_EQ(re.subMatch(2, 1), kWen);

    // One character, not its two bytes: the dot takes 中 whole.
    ASSERT_TRUE(re.create("^.$"));
    EXPECT_TRUE(re.test(kZhong));

    // An escaped non-ASCII character stands for itself; \s takes U+3000.
    ASSERT_TRUE(re.create("[\\s\\" + kNotEqual + "]"));
    EXPECT_TRUE(re.test("a" + kNotEqual));
    EXPECT_TRUE(re.test(kIdeoSpace));
    EXPECT_FALSE(re.test(kZhong));
}

TEST(RegexObject, RejectedPatternFindsNothing) {
    for (const Text pattern : {"a{2,1}", "(", "[a", "*", "a)", "\\"}) {
        RegexObject re;
        ASSERT_TRUE(re.create("a"));
        ASSERT_EQ(re.execute("a"), 1);
        EXPECT_TRUE(re.create(pattern)) << pattern;
        EXPECT_FALSE(re.regExp().empty());
        EXPECT_FALSE(re.test("a")) << pattern;
        EXPECT_FALSE(re.test("")) << pattern;
        EXPECT_EQ(re.execute("a"), 0) << pattern;
        EXPECT_TRUE(re.matches().empty()) << pattern;
        EXPECT_EQ(re.matchValue(1), "") << pattern;
    }
}

TEST(RegexObject, CreateKeepsTheLastMatches) {
    RegexObject re;
    ASSERT_TRUE(re.create("b+"));
    ASSERT_EQ(re.execute("abbc"), 1);
    ASSERT_TRUE(re.create("z"));
    EXPECT_EQ(re.matchValue(1), "bb");
    EXPECT_FALSE(re.test("abbc"));
}

TEST(RegexObject, CopiesShareUntilTheyCreateOrExecute) {
    RegexObject a;
    ASSERT_TRUE(a.create("a+"));
    ASSERT_EQ(a.execute("aab"), 1);
    RegexObject b = a.copy();
    EXPECT_TRUE(b.regExp().sameObject(a.regExp()));
    EXPECT_TRUE(b.matches().sameObject(a.matches()));
    EXPECT_EQ(a.regExp().useCount(), 2);
    EXPECT_EQ(a.matches().useCount(), 2);

    ASSERT_EQ(b.execute("xaxa"), 2);
    EXPECT_FALSE(b.matches().sameObject(a.matches()));
    EXPECT_EQ(a.matches().useCount(), 1);
    EXPECT_EQ(a.matchValue(1), "aa");
    EXPECT_EQ(a.matchValue(2), "");
    EXPECT_EQ(b.matchValue(2), "a");

    ASSERT_TRUE(a.create("x"));
    EXPECT_FALSE(a.regExp().sameObject(b.regExp()));
    EXPECT_EQ(b.regExp().useCount(), 1);
    EXPECT_TRUE(b.test("a"));
    EXPECT_FALSE(a.test("a"));

    b.destroy();
    EXPECT_TRUE(b.regExp().empty());
    EXPECT_TRUE(b.matches().empty());
    EXPECT_FALSE(b.test("a"));
    EXPECT_TRUE(a.test("x"));
}

TEST(RegexObject, ReplaceMatchesReplacesEveryOccurrenceOfEachValue) {
    struct Case {
        Text pattern;
        Text subject;
        Text replacement;
        bool caseSensitive;
        Text expected;
    } cases[] = {
        // ^a matches once, but its value replaces the second a as well.
        {"^a", "aba", "X", true, "XbX"},
        // Values aa then a: Xba, then XbX.
        {"a+", "aaba", "X", true, "XbX"},
        // The replacement folds A-Z only.
        {"ab", "ab AB aB", "X", false, "X X X"},
        {"\xA3\xE1", "\xA3\xE1\xA3\xC1", "X", false, "X\xA3\xC1"},  // full-width a, A
        {"x", "aba", "X", true, "aba"},
        {"b", "", "X", true, ""},
        {"b", "abc", "", true, "ac"},
        // A double-byte character whose second byte equals a match is skipped.
        {"@", "\x81\x40@", "#", true, "\x81\x40#"},
    };
    for (const Case& c : cases) {
        RegexObject re;
        ASSERT_TRUE(re.create(c.pattern, true));
        Text subject = c.subject;
        EXPECT_EQ(re.replaceMatches(subject, c.replacement, c.caseSensitive), c.expected)
            << c.pattern << " over " << c.subject;
        EXPECT_EQ(subject, c.expected);
    }
    // Case-sensitive replacement of a case-blind match: only exact occurrences.
    RegexObject re;
    ASSERT_TRUE(re.create("ab"));
    Text subject = "ab AB aB";
    EXPECT_EQ(re.replaceMatches(subject, "X"), "X X X");  // each value is a match of its own
    ASSERT_TRUE(re.create("^ab"));
    subject = "ab AB aB";
    EXPECT_EQ(re.replaceMatches(subject, "X"), "X AB aB");
    subject = "ab AB aB";
    EXPECT_EQ(re.replaceMatches(subject, "X", false), "X X X");
}

}  // namespace
}  // namespace quillet
