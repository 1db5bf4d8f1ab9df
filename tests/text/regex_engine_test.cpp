// ECMAScript corners beyond the recorded answers, each checked against an
// ECMAScript engine: the whole match list of a global search.
#include "text/regex_engine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillet {
namespace {

struct Corner {
    std::u16string pattern;
    std::u16string subject;
    bool ignoreCase;
    std::vector<MatchSpan> matches;
};

TEST(RegexEngine, EcmaScriptCorners) {
    const Corner corners[] = {
        // A repeated reference to a group that is unset matches empty.
        {u"(b)|^\\1+$", u"", false, {{0, 0}}},
        {u"(b)|^\\1{2,}?$", u"", false, {{0, 0}}},
        // Case-blind references compare canonical forms: σ and Σ agree, ſ
        // and s do not (no non-ASCII unit folds onto ASCII), nor ß and ẞ.
        {u"(.)\\1", u"x\u03a3\u03c3", true, {{1, 3}}},
        {u"(.)\\1", u"\u017fs", true, {}},
        {u"(.)\\1", u"s\u017f", true, {}},
        {u"(.)\\1", u"\u00df\u1e9e", true, {}},
        {u"(..)\\1", u"aBAb", true, {{0, 4}}},
        {u"(a)\\1", u"aA", false, {}},
        {u"\\u212a", u"k", true, {}},
        {u"k", u"\u212a", true, {}},
        {u"[a-z]", u"\u017f", true, {}},
        {u"\u00b5", u"\u03bc\u039c", true, {{0, 1}, {1, 2}}},
        // A repeated lookahead: skipped with a minimum of 0, run once otherwise.
        {u"(?=(a))*\\1b", u"ab", false, {{1, 2}}},
        {u"(?=(a)){2}\\1", u"a", false, {{0, 1}}},
        // An iteration that matches nothing is refused, so the loop tries
        // the alternative that advances.
        {u"(?:|a)*", u"a", false, {{0, 1}, {1, 1}}},
        {u"(?:a|\\b)*?c", u"ac", false, {{0, 2}}},
        {u"(?:a?)*?b", u"aab", false, {{0, 3}}},
        // Annex B escapes.
        {u"\\c1", u"\\c1", false, {{0, 3}}},
        {u"[\\c1]", u"\u0011", false, {{0, 1}}},
        {u"\\12", u"\n", false, {{0, 1}}},
        {u"\\400", u" 0", false, {{0, 2}}},
        {u"[\\d-z]+", u"5-z", false, {{0, 3}}},
        {u"\\u{2}", u"uu", false, {{0, 2}}},
        {u"a{,2}", u"a{,2}", false, {{0, 5}}},
        {u"\\k", u"k", false, {{0, 1}}},
        {u"(?<n>a)\\k<n>", u"aa", false, {{0, 2}}},
        // Code units, not code points: the dot takes half a surrogate pair.
        {u".", u"\U0001F600", false, {{0, 1}, {1, 2}}},
        {u"^\\s+$", u"\u3000\u00a0\ufeff", false, {{0, 3}}},
        // \w and \b are ASCII, ignoring case or not; $ is the very end.
        {u"\\w", u"\u00e9", true, {}},
        {u"\\b\u00e9", u" \u00e9", false, {}},
        {u"a$", u"a\n", false, {}},
    };
    for (const Corner& c : corners) {
        RegexEngine engine(c.pattern, c.ignoreCase, true);
        ASSERT_TRUE(engine.compiled());
        std::optional<MatchList> list = engine.execute(c.subject);
        ASSERT_TRUE(list);
        std::vector<MatchSpan> got;
        for (int i = 0; i < list->count(); ++i) got.push_back(list->at(i)->spans[0]);
        EXPECT_EQ(got, c.matches) << std::string(c.pattern.begin(), c.pattern.end());
    }
}

TEST(RegexEngine, PatternsEcmaScriptRejects) {
    for (const std::u16string pattern : {
             u"a{2,1}",
             u"a**",
             u"+a",
             u"{1}",
             u"a|{2,}",
             u"a{1}{2}",
             u"(?<=a)*",
             u"^*",
             u"(",
             u")",
             u"[b-a]",
             u"\\",
             u"(?x)",
             u"(?<n>a)(?<n>b)",
             u"(?<n>a)\\k<m>",
             u"(?<n>a)\\k",
             u"[",
         }) {
        EXPECT_FALSE(RegexEngine(pattern, false, true).compiled())
            << std::string(pattern.begin(), pattern.end());
    }
    // ECMAScript takes counts above 65535; the engine cannot, so the
    // pattern is refused rather than changed in meaning.
    EXPECT_FALSE(RegexEngine(u"a{65536}", false, true).compiled());
    EXPECT_TRUE(RegexEngine(u"a{65535}", false, true).compiled());
}

}  // namespace
}  // namespace quillet
