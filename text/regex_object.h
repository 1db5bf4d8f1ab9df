#pragma once

#include "text/com_object.h"
#include "text/text_types.h"

namespace quillet {

class RegexEngine;  // one compiled pattern with its options
class MatchList;    // the matches of one execute

// A regular expression with ECMAScript's meaning, over GBK texts. Indexes
// of matches and sub-matches count from 1.
class RegexObject {
  public:
    void destroy();
    RegexObject copy() const;
    bool create(const Text& pattern, bool caseSensitive = false, bool global = true);
    bool test(const Text& subject);
    int execute(const Text& subject);
    Text matchValue(int index);
    int subMatchCount(int index);
    Text subMatch(int index, int subIndex);
    Text replaceMatches(Text& subject, const Text& replacement = {}, bool caseSensitive = true);

    // The two references, for owners that check sharing.
    const ComObject<RegexEngine>& regExp() const { return regExp_; }
    const ComObject<MatchList>& matches() const { return matches_; }

  private:
    ComObject<RegexEngine> regExp_;
    ComObject<MatchList> matches_;
};

}  // namespace quillet
