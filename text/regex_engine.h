#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// Where a match or a group lies in the subject, in UTF-16 units; -1 for a
// group that took no part.
struct MatchSpan {
    int start = -1;
    int end = -1;
    bool operator==(const MatchSpan&) const = default;
};

// One match: spans[0] is the whole match, spans[n] group n.
struct RegexMatch {
    std::vector<MatchSpan> spans;
};

// The matches of one execute, with the subject they point into.
class MatchList {
  public:
    MatchList(std::u16string subject, std::vector<RegexMatch> matches)
        : subject_(std::move(subject)), matches_(std::move(matches)) {}

    int count() const { return static_cast<int>(matches_.size()); }
    // Match i counted from 0, or nullptr.
    const RegexMatch* at(int i) const {
        return i >= 0 && i < count() ? &matches_[static_cast<std::size_t>(i)] : nullptr;
    }
    std::u16string_view text(MatchSpan span) const {
        if (span.start < 0) return {};
        return std::u16string_view(subject_).substr(
            static_cast<std::size_t>(span.start), static_cast<std::size_t>(span.end - span.start));
    }

  private:
    std::u16string subject_;
    std::vector<RegexMatch> matches_;
};

// One compiled ECMAScript pattern with its options, over UTF-16 subjects.
// A pattern that ECMAScript or the engine rejects gives an object that
// matches nothing and whose execute fails.
class RegexEngine {
  public:
    RegexEngine(std::u16string_view pattern, bool ignoreCase, bool global);
    ~RegexEngine();
    RegexEngine(const RegexEngine&) = delete;
    RegexEngine& operator=(const RegexEngine&) = delete;

    bool compiled() const;
    int groupCount() const;

    // Whether the pattern matches anywhere in the subject, searching from its start.
    bool test(std::u16string_view subject);
    // Every match the ECMAScript way (only the first unless global), or
    // nothing when the pattern was rejected or a search failed.
    std::optional<MatchList> execute(std::u16string subject);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace quillet
