#include "text/regex_engine.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <algorithm>
#include <map>

#include "text/regex_case.h"
#include "text/regex_translator.h"

namespace quillet {
namespace {

constexpr PCRE2_SIZE kJitStackStart = 32 * 1024;
// Reserved, not committed, until a search needs it: room for about a million
// iterations of a group over a 1 MB subject.
constexpr PCRE2_SIZE kJitStackMax = 64 * 1024 * 1024;
// What the interpreter may take when the JIT stack runs out (in KiB).
constexpr uint32_t kHeapLimitKiB = 256 * 1024;

struct CodeDeleter {
    void operator()(pcre2_code* p) const { pcre2_code_free(p); }
};
struct MatchDataDeleter {
    void operator()(pcre2_match_data* p) const { pcre2_match_data_free(p); }
};
struct ContextDeleter {
    void operator()(pcre2_match_context* p) const { pcre2_match_context_free(p); }
};
struct JitStackDeleter {
    void operator()(pcre2_jit_stack* p) const { pcre2_jit_stack_free(p); }
};

PCRE2_SPTR units(std::u16string_view text) {
    return reinterpret_cast<PCRE2_SPTR>(text.data());
}

int nameToNumber(pcre2_code* code, const std::u16string& name) {
    return pcre2_substring_number_from_name(code, units(name));
}

int readNumber(std::u16string_view digits) {
    int value = 0;
    for (char16_t c : digits) value = value * 10 + (c - u'0');
    return value;
}

// What one callout checks (see TranslatedPattern::usesCallouts).
struct CalloutCheck {
    enum Kind { TextAhead, HelperLength, Advanced } kind = TextAhead;
    int group = 0;  // engine numbers
    int helper = 0;
};

bool groupSet(const pcre2_callout_block* block, int group) {
    return static_cast<uint32_t>(group) < block->capture_top &&
           block->offset_vector[2 * group] != PCRE2_UNSET;
}

PCRE2_SIZE groupLength(const pcre2_callout_block* block, int group) {
    if (!groupSet(block, group)) return 0;  // an unset group matches the empty text
    return block->offset_vector[2 * group + 1] - block->offset_vector[2 * group];
}

// 0 lets the match go on, 1 makes it backtrack.
int runCheck(const pcre2_callout_block* block, const CalloutCheck& check) {
    const PCRE2_SIZE* helper = block->offset_vector + 2 * check.helper;
    if (check.kind == CalloutCheck::Advanced) return block->current_position > helper[0] ? 0 : 1;
    PCRE2_SIZE length = groupLength(block, check.group);
    if (check.kind == CalloutCheck::HelperLength) return helper[1] - helper[0] == length ? 0 : 1;
    PCRE2_SIZE at = block->current_position;
    if (at + length > block->subject_length) return 1;
    PCRE2_SIZE from = length == 0 ? 0 : block->offset_vector[2 * check.group];
    for (PCRE2_SIZE i = 0; i < length; ++i) {
        auto a = static_cast<char16_t>(block->subject[from + i]);
        auto b = static_cast<char16_t>(block->subject[at + i]);
        if (canonicalUnit(a) != canonicalUnit(b)) return 1;
    }
    return 0;
}

}  // namespace

struct RegexEngine::Impl {
    bool global = true;
    bool jitReady = false;
    int groupCount = 0;
    std::unique_ptr<pcre2_code, CodeDeleter> code;
    std::unique_ptr<pcre2_match_data, MatchDataDeleter> matchData;
    std::unique_ptr<pcre2_match_context, ContextDeleter> context;
    std::unique_ptr<pcre2_jit_stack, JitStackDeleter> jitStack;
    std::optional<UnitSet> singleSet;
    std::vector<int> groupNumbers;                // source group n -> engine group
    std::map<PCRE2_SIZE, CalloutCheck> callouts;  // by offset of the callout's text

    bool compile(std::u16string_view pattern, bool ignoreCase);
    void prepareCallouts();
    CalloutCheck readCallout(std::u16string_view text) const;
    void prepareMatching();
    int search(std::u16string_view subject, std::size_t offset);
    void releaseInterpreterFrames();
    RegexMatch currentMatch() const;
};

bool RegexEngine::Impl::compile(std::u16string_view pattern, bool ignoreCase) {
    std::optional<TranslatedPattern> translated = translatePattern(pattern, ignoreCase);
    if (!translated) return false;
    uint32_t options = PCRE2_MATCH_UNSET_BACKREF;
    // The engine's own shortcuts may skip callouts, which here decide the match.
    if (translated->usesCallouts) options |= PCRE2_NO_AUTO_POSSESS;
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    code.reset(pcre2_compile(units(translated->pcre), translated->pcre.size(), options, &error,
                             &errorOffset, nullptr));
    if (!code) return false;
    groupCount = translated->groupCount;
    singleSet = std::move(translated->singleSet);
    for (int n = 1; n <= groupCount; ++n) {
        groupNumbers.push_back(nameToNumber(code.get(), groupName(n)));
    }
    if (translated->usesCallouts) prepareCallouts();
    prepareMatching();
    return true;
}

void RegexEngine::Impl::prepareCallouts() {
    auto collect = [](pcre2_callout_enumerate_block* block, void* data) -> int {
        auto* self = static_cast<Impl*>(data);
        std::u16string_view text(reinterpret_cast<const char16_t*>(block->callout_string),
                                 block->callout_string_length);
        self->callouts[block->callout_string_offset] = self->readCallout(text);
        return 0;
    };
    pcre2_callout_enumerate(code.get(), collect, this);
}

// "p<n>", "l<n>,<k>" or "e<k>", as the translator writes them.
CalloutCheck RegexEngine::Impl::readCallout(std::u16string_view text) const {
    CalloutCheck check;
    if (text.front() == u'e') {
        check.kind = CalloutCheck::Advanced;
        check.helper = nameToNumber(code.get(), iterationHelperName(readNumber(text.substr(1))));
        return check;
    }
    std::size_t comma = text.find(u',');
    check.group = groupNumbers[static_cast<std::size_t>(readNumber(text.substr(1, comma - 1)) - 1)];
    if (text.front() == u'l') {
        check.kind = CalloutCheck::HelperLength;
        check.helper =
            nameToNumber(code.get(), backrefHelperName(readNumber(text.substr(comma + 1))));
    }
    return check;
}

void RegexEngine::Impl::prepareMatching() {
    matchData.reset(pcre2_match_data_create_from_pattern(code.get(), nullptr));
    context.reset(pcre2_match_context_create(nullptr));
    pcre2_set_heap_limit(context.get(), kHeapLimitKiB);
    jitReady = pcre2_jit_compile(code.get(), PCRE2_JIT_COMPLETE) == 0;
    if (jitReady) {
        jitStack.reset(pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr));
        pcre2_jit_stack_assign(context.get(), nullptr, jitStack.get());
    }
    if (!callouts.empty()) {
        auto callout = [](pcre2_callout_block* block, void* data) -> int {
            const auto& checks = static_cast<Impl*>(data)->callouts;
            auto it = checks.find(block->callout_string_offset);
            return it == checks.end() ? 0 : runCheck(block, it->second);
        };
        pcre2_set_callout(context.get(), callout, this);
    }
}

// The engine's answer for one search from offset: above 0 on a match.
int RegexEngine::Impl::search(std::u16string_view subject, std::size_t offset) {
    // The JIT's own entry skips the checks that cost as much as a short search.
    int rc = jitReady ? pcre2_jit_match(code.get(), units(subject), subject.size(), offset, 0,
                                        matchData.get(), context.get())
                      : pcre2_match(code.get(), units(subject), subject.size(), offset, 0,
                                    matchData.get(), context.get());
    // Deep backtracking outgrows the JIT stack; the interpreter keeps its
    // frames on the heap, within the heap limit.
    if (rc == PCRE2_ERROR_JIT_STACKLIMIT) {
        rc = pcre2_match(code.get(), units(subject), subject.size(), offset, PCRE2_NO_JIT,
                         matchData.get(), context.get());
        releaseInterpreterFrames();
    }
    return rc;
}

// The match data keeps the interpreter's frames for the next search, up to
// the heap limit; a fresh one (with the same offsets) gives them back.
void RegexEngine::Impl::releaseInterpreterFrames() {
    std::unique_ptr<pcre2_match_data, MatchDataDeleter> fresh(
        pcre2_match_data_create_from_pattern(code.get(), nullptr));
    if (!fresh) return;
    const uint32_t pairs = pcre2_get_ovector_count(matchData.get());
    std::copy_n(pcre2_get_ovector_pointer(matchData.get()), 2 * pairs,
                pcre2_get_ovector_pointer(fresh.get()));
    matchData = std::move(fresh);
}

RegexMatch RegexEngine::Impl::currentMatch() const {
    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(matchData.get());
    auto span = [&](int group) {
        if (ovector[2 * group] == PCRE2_UNSET) return MatchSpan{};
        return MatchSpan{static_cast<int>(ovector[2 * group]),
                         static_cast<int>(ovector[2 * group + 1])};
    };
    RegexMatch match;
    match.spans.push_back(span(0));
    for (int number : groupNumbers) match.spans.push_back(span(number));
    return match;
}

RegexEngine::RegexEngine(std::u16string_view pattern, bool ignoreCase, bool global)
    : impl_(std::make_unique<Impl>()) {
    impl_->global = global;
    if (!impl_->compile(pattern, ignoreCase)) impl_->code.reset();
}

RegexEngine::~RegexEngine() = default;

bool RegexEngine::compiled() const {
    return impl_->code != nullptr;
}

int RegexEngine::groupCount() const {
    return impl_->groupCount;
}

bool RegexEngine::test(std::u16string_view subject) {
    if (!compiled()) return false;
    if (const std::optional<UnitSet>& set = impl_->singleSet) {
        return std::any_of(subject.begin(), subject.end(),
                           [&](char16_t unit) { return set->contains(unit); });
    }
    return impl_->search(subject, 0) > 0;
}

std::optional<MatchList> RegexEngine::execute(std::u16string subject) {
    if (!compiled()) return std::nullopt;
    std::vector<RegexMatch> matches;
    std::size_t offset = 0;
    while (offset <= subject.size()) {
        int rc = impl_->search(subject, offset);
        if (rc == PCRE2_ERROR_NOMATCH) break;
        if (rc <= 0) return std::nullopt;
        matches.push_back(impl_->currentMatch());
        if (!impl_->global) break;
        // The next search starts where this match ended, one unit further
        // after an empty match.
        const MatchSpan whole = matches.back().spans[0];
        offset = static_cast<std::size_t>(whole.end) + (whole.end == whole.start ? 1 : 0);
    }
    return MatchList(std::move(subject), std::move(matches));
}

}  // namespace quillet
