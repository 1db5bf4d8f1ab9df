// Random patterns and subjects: the translator and the engine never crash,
// and what they report is consistent with itself.
#include <gtest/gtest.h>

#include <random>

#include "text/regex_engine.h"
#include "text/regex_translator.h"

namespace quillet {
namespace {

// Pattern syntax, escapes, and units that need care: surrogates, U+FFFF,
// NUL, non-ASCII letters with case.
const std::u16string kHighSurrogate(1, static_cast<char16_t>(0xD83D));
const std::u16string kLowSurrogate(1, static_cast<char16_t>(0xDE00));
const std::u16string kPatternUnits =
    u"()[]{}|^$.*+?\\-,:=!<>0123456789abcdkuxBbDdSsWwnrt"
    u"AKSZ_\u00df\u03c3\u03a3\u3000\u4e2d\uffff" +
    kHighSurrogate + kLowSurrogate;
const std::u16string kSubjectUnits =
    u"abcABCkKsS01 _-\n\r\t\u3000\u03c3\u03a3\u03c2\u4e2d" + kHighSurrogate;

std::u16string randomText(std::mt19937& rng, const std::u16string& alphabet,
                          std::size_t maxLength) {
    std::uniform_int_distribution<std::size_t> length(0, maxLength);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::u16string out;
    for (std::size_t n = length(rng); n > 0; --n) out += alphabet[pick(rng)];
    if (rng() % 16 == 0) out += u'\0';
    return out;
}

void checkMatches(const MatchList& list, const std::u16string& subject, int groups, bool global) {
    const int size = static_cast<int>(subject.size());
    int lastEnd = -1;
    for (int i = 0; i < list.count(); ++i) {
        const RegexMatch& match = *list.at(i);
        ASSERT_EQ(static_cast<int>(match.spans.size()), groups + 1);
        const MatchSpan whole = match.spans[0];
        ASSERT_LE(0, whole.start);
        ASSERT_LE(whole.start, whole.end);
        ASSERT_LE(whole.end, size);
        // Each match starts at or after the previous end, past it when empty.
        ASSERT_GE(whole.start, lastEnd);
        lastEnd = whole.end + (whole.end == whole.start ? 1 : 0);
        for (const MatchSpan& group : match.spans) {
            if (group.start < 0) {
                ASSERT_EQ(group.end, -1);
                continue;
            }
            ASSERT_LE(group.start, group.end);
            ASSERT_LE(group.end, size);
        }
    }
    if (!global) {
        ASSERT_LE(list.count(), 1);
    }
}

TEST(RegexFuzz, RandomPatternsNeverCrash) {
    std::mt19937 rng(20240611);
    int translated = 0, compiled = 0;
    for (int round = 0; round < 6000; ++round) {
        const std::u16string pattern = randomText(rng, kPatternUnits, 12);
        const bool ignoreCase = rng() % 2;
        const bool global = rng() % 2;
        std::optional<TranslatedPattern> t = translatePattern(pattern, ignoreCase);
        translated += t.has_value();
        RegexEngine engine(pattern, ignoreCase, global);
        // The engine only compiles what the translator took.
        ASSERT_TRUE(t || !engine.compiled());
        compiled += engine.compiled();
        if (!engine.compiled()) {
            EXPECT_FALSE(engine.test(u"a"));
            EXPECT_FALSE(engine.execute(u"a"));
            continue;
        }
        EXPECT_EQ(engine.groupCount(), t->groupCount);
        for (int s = 0; s < 4; ++s) {
            const std::u16string subject = randomText(rng, kSubjectUnits, 20);
            const bool found = engine.test(subject);
            std::optional<MatchList> list = engine.execute(subject);
            ASSERT_TRUE(list);
            // A test and the first match of an execute agree.
            ASSERT_EQ(found, list->count() > 0);
            checkMatches(*list, subject, engine.groupCount(), global);
        }
    }
    // The alphabet gives both kinds: patterns taken and patterns refused.
    EXPECT_GT(compiled, 1000);
    EXPECT_LT(translated, 6000);
}

}  // namespace
}  // namespace quillet
