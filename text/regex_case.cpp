#include "text/regex_case.h"

#include <algorithm>
#include <array>
#include <map>

namespace quillet {
namespace {

struct CasePair {
    char16_t unit;
    char16_t canonical;
};

constexpr CasePair kCasePairs[] = {
#include "text/regex_case_table.inc"
};

std::vector<std::vector<char16_t>> buildCaseGroups() {
    std::map<char16_t, std::vector<char16_t>> byCanonical;
    for (const CasePair& pair : kCasePairs) byCanonical[pair.canonical].push_back(pair.unit);
    std::vector<std::vector<char16_t>> groups;
    for (auto& [canonical, units] : byCanonical) {
        // The canonical form belongs to its own group unless it maps elsewhere
        // itself, which the table never does.
        units.push_back(canonical);
        std::sort(units.begin(), units.end());
        groups.push_back(std::move(units));
    }
    return groups;
}

}  // namespace

char16_t canonicalUnit(char16_t unit) {
    auto it = std::lower_bound(std::begin(kCasePairs), std::end(kCasePairs), unit,
                               [](const CasePair& p, char16_t u) { return p.unit < u; });
    return it != std::end(kCasePairs) && it->unit == unit ? it->canonical : unit;
}

std::span<const std::vector<char16_t>> caseGroups() {
    static const std::vector<std::vector<char16_t>> groups = buildCaseGroups();
    return groups;
}

}  // namespace quillet
