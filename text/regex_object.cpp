#include "text/regex_object.h"

#include "text/encoding.h"
#include "text/gbk_search.h"
#include "text/regex_engine.h"

namespace quillet {

void RegexObject::destroy() {
    regExp_.clear();
    matches_.clear();
}

RegexObject RegexObject::copy() const {
    RegexObject other;
    other.regExp_ = regExp_;
    other.matches_ = matches_;
    return other;
}

// Setting the pattern never fails: a pattern the engine rejects gives an
// object that answers no to every test and finds nothing.
bool RegexObject::create(const Text& pattern, bool caseSensitive, bool global) {
    regExp_.clear();
    regExp_ = ComObject<RegexEngine>::make(ansiToUnits(pattern), !caseSensitive, global);
    return true;
}

bool RegexObject::test(const Text& subject) {
    if (regExp_.empty()) return false;
    return regExp_->test(ansiToUnits(subject));
}

int RegexObject::execute(const Text& subject) {
    if (regExp_.empty()) return 0;
    matches_.clear();
    std::optional<MatchList> found = regExp_->execute(ansiToUnits(subject));
    if (!found) return 0;
    matches_ = ComObject<MatchList>::make(std::move(*found));
    return matches_->count();
}

Text RegexObject::matchValue(int index) {
    if (regExp_.empty() || matches_.empty()) return {};
    const RegexMatch* match = matches_->at(index - 1);
    if (!match) return {};
    return unitsToAnsi(matches_->text(match->spans[0]));
}

int RegexObject::subMatchCount(int index) {
    if (regExp_.empty() || matches_.empty()) return 0;
    const RegexMatch* match = matches_->at(index - 1);
    return match ? static_cast<int>(match->spans.size()) - 1 : 0;
}

Text RegexObject::subMatch(int index, int subIndex) {
    if (regExp_.empty() || matches_.empty()) return {};
    const RegexMatch* match = matches_->at(index - 1);
    if (!match || subIndex < 1 || subIndex >= static_cast<int>(match->spans.size())) return {};
    return unitsToAnsi(matches_->text(match->spans[static_cast<std::size_t>(subIndex)]));
}

// Each match value found in the subject as it came in replaces all of its
// occurrences, in turn, in the text the earlier passes left.
Text RegexObject::replaceMatches(Text& subject, const Text& replacement, bool caseSensitive) {
    const int count = execute(subject);
    for (int i = 1; i <= count; ++i) {
        subject = replaceGbk(subject, matchValue(i), replacement, !caseSensitive);
    }
    return subject;
}

}  // namespace quillet
