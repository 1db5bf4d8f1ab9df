#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/regex_unit_set.h"

namespace quillet {

// An ECMAScript pattern (no unicode flag) rewritten for PCRE2's 16-bit
// library in code-unit mode (no UTF), so that it matches what it matches in
// ECMAScript: \s, \d, \w, the dot, ^ and $ spelled out; every literal as
// \x{...}; ignore-case applied by the translator through explicit classes.
struct TranslatedPattern {
    std::u16string pcre;
    // Capturing groups of the source pattern. Group n is named "g<n>" in the
    // translation, whatever helper groups come before it.
    int groupCount = 0;
    // Callouts decide what the engine cannot: "p<n>" before a back-reference
    // that ignores case (does the text here equal group n?), "l<n>,<k>"
    // after it (has helper group "b<k>" taken exactly group n's length?), and
    // "e<k>" after an iteration that must not be empty (has the match moved
    // past helper group "e<k>", which marks where the iteration began?).
    bool usesCallouts = false;
    // Set when the whole pattern is one class-like atom ([...], \s, ., a
    // letter ignoring case): the units it matches.
    std::optional<UnitSet> singleSet;
};

// The translation, or nothing for a pattern that ECMAScript rejects or that
// this translator does not take (counts above 65535).
std::optional<TranslatedPattern> translatePattern(std::u16string_view pattern, bool ignoreCase);

// The name the translation gives to source group n (from 1).
std::u16string groupName(int n);
// The name of helper group k of a case-blind back-reference.
std::u16string backrefHelperName(int k);
// The name of helper group k marking the start of an iteration.
std::u16string iterationHelperName(int k);

}  // namespace quillet
