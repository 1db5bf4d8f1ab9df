#pragma once

#include <span>
#include <vector>

namespace quillet {

// ECMAScript's ignore-case rule for patterns without the unicode flag: two
// code units match when their canonical forms are equal. The canonical form
// is the upper-case unit, except where upper-casing gives more than one unit
// or would turn a non-ASCII unit into ASCII (so 'ſ' never matches 's').
char16_t canonicalUnit(char16_t unit);

// The groups of two or more code units that share one canonical form.
std::span<const std::vector<char16_t>> caseGroups();

}  // namespace quillet
