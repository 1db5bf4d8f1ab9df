// Subjects of 1 MB through the editor's patterns and through patterns that
// backtrack deeply: right answers, no crash, no stack overflow.
#include <gtest/gtest.h>

#include "text/regex_engine.h"
#include "text/regex_object.h"

namespace quillet {
namespace {

constexpr std::size_t kMegabyte = 1024 * 1024;

Text repeated(const Text& unit, std::size_t bytes) {
    Text out;
    out.reserve(bytes + unit.size());
    while (out.size() < bytes) out += unit;
    return out;
}

struct LargeCase {
    const char* name;
    Text pattern;
    Text subject;
    bool test;
    int matches;
    std::size_t firstLength;  // bytes of the first match value
};

TEST(RegexLargeSubject, EditorPatterns) {
    const Text line = "$x = foo($a, \"b\") + 12.5; // c\r\n";
    const Text code = repeated(line, kMegabyte);
    const int lines = static_cast<int>(code.size() / line.size());
    const Text letters = repeated("abcXYZ<>", kMegabyte);
    const Text digits = repeated("0123456789", kMegabyte);
    const Text blanks = repeated(" \t\xA1\xA1", kMegabyte);
    const LargeCase cases[] = {
        {"delimiter none",
         "[\\s\\=\\+\\-\\*\\/\\,\\)\\(\\<\\>\\[\\]\\\xA1\xD9\\\xA3\xAD\\\xA3\xBD\\!]",
         repeated("a;b.c", kMegabyte), false, 0, 0},
        {"delimiter last",
         "[\\s\\=\\+\\-\\*\\/\\,\\)\\(\\<\\>\\[\\]\\\xA1\xD9\\\xA3\xAD\\\xA3\xBD\\!]",
         repeated("a", kMegabyte) + "\xA3\xBD", true, 1, 2},
        // All white space, then the empty match at the end.
        {"blank", "\\s*", blanks, true, 2, blanks.size()},
        {"comment", "[\\s]*[\\*\\/]+/.*", code, true, lines, 5},  // " // c"
        // A long run of white space before a lone '/' (each start re-reads the run).
        {"comment none", "[\\s]*[\\*\\/]+/.*", repeated(" ", kMegabyte) + "/", false, 0, 0},
        {"quote", "[\\\"]+", repeated("\"", kMegabyte), true, 1, kMegabyte},
        {"string", "\"(.*)\"", "\"" + repeated("\xD6\xD0", kMegabyte) + "\"", true, 1,
         kMegabyte + 2},
        {"string unclosed", "\"(.*)\"", "\"" + repeated("a", kMegabyte), false, 0, 0},
        {"number", "^\\d*(\\.?)\\d$", digits, true, 1, digits.size()},
        {"number not", "^\\d*(\\.?)\\d$", digits + "x", false, 0, 0},
        {"letters", "^[a-z\\<\\>]*$", letters, true, 1, letters.size()},
        {"letters not", "^[a-z\\<\\>]*$", letters + "1", false, 0, 0},
    };
    for (const LargeCase& c : cases) {
        RegexObject re;
        ASSERT_TRUE(re.create(c.pattern));
        EXPECT_EQ(re.test(c.subject), c.test) << c.name;
        ASSERT_EQ(re.execute(c.subject), c.matches) << c.name;
        if (c.matches > 0) {
            EXPECT_EQ(re.matchValue(1).size(), c.firstLength) << c.name;
        }
    }
}

// Each iteration of a group leaves a backtracking point: a million of them
// fit the engine's stack, and beyond its limits a search fails cleanly.
TEST(RegexLargeSubject, DeepBacktracking) {
    std::u16string ab;
    for (std::size_t i = 0; i < kMegabyte / 2; ++i) ab += u"ab";
    RegexEngine alternation(u"^(?:a|b)*c?$", false, true);
    EXPECT_TRUE(alternation.test(ab));
    RegexEngine captures(u"(a|b)+$", false, true);
    std::optional<MatchList> found = captures.execute(ab);
    ASSERT_TRUE(found);
    ASSERT_EQ(found->count(), 1);
    EXPECT_EQ(found->at(0)->spans[0], (MatchSpan{0, static_cast<int>(ab.size())}));
    EXPECT_EQ(found->at(0)->spans[1],
              (MatchSpan{static_cast<int>(ab.size()) - 1, static_cast<int>(ab.size())}));
    RegexEngine lazy(u"^(?:a|b)*?$", false, true);
    EXPECT_TRUE(lazy.test(ab));

    // Deeper nesting needs more than the JIT stack and the interpreter's
    // heap allow: no answer, no crash, and the next search works.
    RegexEngine nested(u"(((a)|(b))|(c)|(d))+$", false, true);
    EXPECT_FALSE(nested.test(ab));
    EXPECT_FALSE(nested.execute(ab));
    EXPECT_TRUE(nested.test(u"abab"));
}

}  // namespace
}  // namespace quillet
