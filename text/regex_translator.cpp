#include "text/regex_translator.h"

#include <algorithm>
#include <string>
#include <vector>

#include "text/regex_unit_set.h"

namespace quillet {
namespace {

// Thrown inside the translator for a pattern it cannot take; never escapes.
struct Rejected {};

constexpr long kMaxCount = 65535;  // PCRE2's largest repeat count

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool isOctal(char16_t c) {
    return c >= u'0' && c <= u'7';
}
bool isAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

int hexValue(char16_t c) {
    if (isDigit(c)) return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

bool isNameUnit(char16_t c, bool first) {
    if (isAsciiLetter(c) || c == u'$' || c == u'_') return true;
    if (!first && isDigit(c)) return true;
    return c >= 0x80 && (c < 0xD800 || c > 0xDFFF);
}

std::u16string decimal(long n) {
    std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

// A class member: one unit, or a whole escape such as \d.
struct ClassAtom {
    char16_t unit = 0;
    std::optional<UnitSet> set;
};

// Translated pattern text, and whether it can match the empty text.
struct Piece {
    std::u16string text;
    bool nullable = false;
};

struct Quantifier {
    long min = 0;
    long max = -1;  // -1: no upper bound
    bool lazy = false;
};

class Translator {
  public:
    Translator(std::u16string_view source, bool ignoreCase)
        : src_(source), ignoreCase_(ignoreCase) {}

    TranslatedPattern run() {
        scanGroups();
        std::u16string out = disjunction().text;
        if (!atEnd()) throw Rejected{};  // an unmatched ')'
        TranslatedPattern result{std::move(out), static_cast<int>(groupNames_.size()),
                                 usesCallouts_, std::nullopt};
        // One class and nothing else: a search is a look-up per unit.
        if (terms_ == 1 && src_.find(u'|') == std::u16string_view::npos && lastSet_ &&
            result.pcre == lastSet_->toPattern()) {
            result.singleSet = std::move(lastSet_);
        }
        return result;
    }

  private:
    // --- reading the source ---
    bool atEnd(std::size_t ahead = 0) const { return pos_ + ahead >= src_.size(); }
    char16_t peek(std::size_t ahead = 0) const { return atEnd(ahead) ? 0 : src_[pos_ + ahead]; }
    char16_t next() {
        if (atEnd()) throw Rejected{};
        return src_[pos_++];
    }
    bool eat(char16_t c) {
        if (atEnd() || src_[pos_] != c) return false;
        ++pos_;
        return true;
    }

    // Back-reference numbers count every capturing group of the pattern, also
    // those that open later, so the groups are counted (and named) first.
    void scanGroups() {
        for (std::size_t i = 0; i < src_.size(); ++i) {
            char16_t c = src_[i];
            if (c == u'\\') {
                ++i;
            } else if (c == u'[') {
                i = skipClass(i + 1);
            } else if (c == u'(') {
                if (i + 1 >= src_.size() || src_[i + 1] != u'?') {
                    groupNames_.emplace_back();
                } else if (i + 2 < src_.size() && src_[i + 2] == u'<' && i + 3 < src_.size() &&
                           src_[i + 3] != u'=' && src_[i + 3] != u'!') {
                    std::size_t close = src_.find(u'>', i + 3);
                    if (close == std::u16string_view::npos) throw Rejected{};
                    groupNames_.emplace_back(src_.substr(i + 3, close - i - 3));
                }
            }
        }
        for (std::size_t a = 0; a < groupNames_.size(); ++a) {
            if (groupNames_[a].empty()) continue;
            hasNamedGroups_ = true;
            for (std::size_t b = a + 1; b < groupNames_.size(); ++b) {
                if (groupNames_[a] == groupNames_[b]) throw Rejected{};
            }
        }
    }

    // The index of the ']' that closes a class whose contents start at i.
    std::size_t skipClass(std::size_t i) const {
        if (i < src_.size() && src_[i] == u'^') ++i;
        for (; i < src_.size(); ++i) {
            if (src_[i] == u'\\')
                ++i;
            else if (src_[i] == u']')
                return i;
        }
        return i;
    }

    // --- structure ---
    Piece disjunction() {
        Piece out = alternative();
        while (eat(u'|')) {
            Piece next = alternative();
            out.text += u'|' + next.text;
            out.nullable = out.nullable || next.nullable;
        }
        return out;
    }

    Piece alternative() {
        Piece out{u"", true};
        while (!atEnd() && peek() != u'|' && peek() != u')') {
            Piece next = term();
            out.text += next.text;
            out.nullable = out.nullable && next.nullable;
        }
        return out;
    }

    Piece term() {
        ++terms_;
        char16_t c = peek();
        if (c == u'^') {
            ++pos_;
            return {u"^", true};  // without multi-line mode: the start of the subject only
        }
        if (c == u'$') {
            ++pos_;
            return {u"\\z", true};  // the very end, not before a final newline
        }
        if (c == u'\\' && (peek(1) == u'b' || peek(1) == u'B')) {
            bool boundary = peek(1) == u'b';
            pos_ += 2;
            return {boundary ? u"\\b" : u"\\B", true};
        }
        if (c == u'(' && peek(1) == u'?') return groupTerm();
        if (c == u'*' || c == u'+' || c == u'?') throw Rejected{};  // nothing to repeat
        if (c == u'{' && bracedQuantifierAhead()) throw Rejected{};
        return quantified(atom());
    }

    // (?:...), (?=...), (?!...), (?<=...), (?<!...), (?<name>...)
    Piece groupTerm() {
        pos_ += 2;
        if (eat(u':')) return quantified(closeGroup(u"(?:"));
        if (eat(u'=')) return quantifiedLookahead(closeGroup(u"(?="));
        if (eat(u'!')) return quantifiedLookahead(closeGroup(u"(?!"));
        if (eat(u'<')) {
            if (eat(u'=')) return {closeGroup(u"(?<=").text, true};
            if (eat(u'!')) return {closeGroup(u"(?<!").text, true};
            readGroupName();
            return quantified(openCapture());
        }
        throw Rejected{};
    }

    void readGroupName() {
        std::size_t start = pos_;
        while (!atEnd() && peek() != u'>') {
            if (!isNameUnit(peek(), pos_ == start)) throw Rejected{};
            ++pos_;
        }
        if (pos_ == start || !eat(u'>')) throw Rejected{};
    }

    Piece openCapture() {
        // The inner groups are numbered after this one.
        return closeGroup(u"(?<" + groupName(++groupsOpened_) + u">");
    }

    // The group's contents up to its ')', behind the given opening.
    Piece closeGroup(const std::u16string& open) {
        Piece inner = disjunction();
        if (!eat(u')')) throw Rejected{};
        return {open + inner.text + u")", inner.nullable};
    }

    Piece atom() {
        char16_t c = next();
        switch (c) {
            case u'.':
                return {setAtom(UnitSet::lineTerminators().inverted())};
            case u'(':
                return openCapture();
            case u'[':
                return {classAtom()};
            case u'\\':
                return atomEscape();
            default:
                return {unitAtom(c)};  // ']', '{' and '}' stand for themselves too
        }
    }

    // --- quantifiers ---
    // {n}, {n,} or {n,m} at the current position.
    bool bracedQuantifierAhead() const {
        std::size_t i = pos_ + 1;
        auto digits = [&] {
            std::size_t start = i;
            while (i < src_.size() && isDigit(src_[i])) ++i;
            return i > start;
        };
        if (!digits()) return false;
        if (i < src_.size() && src_[i] == u',') {
            ++i;
            digits();
        }
        return i < src_.size() && src_[i] == u'}';
    }

    long readCount() {
        long value = 0;
        while (isDigit(peek())) {
            value = std::min(value * 10 + (next() - u'0'), kMaxCount + 1);
        }
        if (value > kMaxCount) throw Rejected{};
        return value;
    }

    std::optional<Quantifier> quantifier() {
        Quantifier q;
        if (eat(u'*')) {
            q = {0, -1};
        } else if (eat(u'+')) {
            q = {1, -1};
        } else if (eat(u'?')) {
            q = {0, 1};
        } else if (peek() == u'{' && bracedQuantifierAhead()) {
            ++pos_;
            q.min = readCount();
            q.max = q.min;
            if (eat(u',')) q.max = isDigit(peek()) ? readCount() : -1;
            eat(u'}');
            if (q.max >= 0 && q.max < q.min) throw Rejected{};
        } else {
            return std::nullopt;
        }
        q.lazy = eat(u'?');
        return q;
    }

    Piece quantified(const Piece& atom) {
        std::optional<Quantifier> q = quantifier();
        if (!q) return atom;
        Piece out = {atom.text, atom.nullable || q->min == 0};
        if (q->min == 0 && q->max != 0 && atom.nullable) out.text = emptyChecked(atom.text);
        out.text += quantifierText(*q);
        return out;
    }

    // ECMAScript refuses an iteration that matches nothing once the minimum
    // is reached, where the engine would accept it (and set its groups). With
    // a minimum of 0 every iteration must advance: a helper group marks where
    // the iteration began and a callout compares. (Beyond a minimum of 1 the
    // engine repeats the same code and no callout could tell the two apart.)
    std::u16string emptyChecked(const std::u16string& atom) {
        usesCallouts_ = true;
        ++helpers_;
        return u"(?:(?<" + iterationHelperName(helpers_) + u">)" + atom + u"(?C\"e" +
               decimal(helpers_) + u"\"))";
    }

    static std::u16string quantifierText(const Quantifier& q) {
        std::u16string out;
        if (q.min == 0 && q.max == -1)
            out += u'*';
        else if (q.min == 1 && q.max == -1)
            out += u'+';
        else if (q.min == 0 && q.max == 1)
            out += u'?';
        else if (q.max == -1)
            out += u'{' + decimal(q.min) + u",}";
        else if (q.max == q.min)
            out += u'{' + decimal(q.min) + u'}';
        else
            out += u'{' + decimal(q.min) + u',' + decimal(q.max) + u'}';
        if (q.lazy) out += u'?';
        return out;
    }

    // A repeated lookahead matches nothing, so an iteration beyond the
    // minimum is always refused: with a minimum of 0 the lookahead is skipped
    // (its groups stay unset), otherwise it runs once.
    Piece quantifiedLookahead(const Piece& assertion) {
        std::optional<Quantifier> q = quantifier();
        if (!q || q->min > 0) return {assertion.text, true};
        return {u"(?:" + assertion.text + u"){0}", true};
    }

    // --- atoms ---
    std::u16string unitAtom(char16_t unit) {
        if (!ignoreCase_) return escapeUnit(unit);
        UnitSet set;
        set.add(unit);
        return set.closedOverCase().toPattern();
    }

    std::u16string setAtom(const UnitSet& set) {
        lastSet_ = ignoreCase_ ? set.closedOverCase() : set;
        return lastSet_->toPattern();
    }

    Piece atomEscape() {
        char16_t c = peek();
        if (atEnd()) throw Rejected{};
        if (c >= u'1' && c <= u'9') {
            if (auto ref = backrefNumber()) return backref(*ref);
        }
        if (c == u'k' && hasNamedGroups_) {
            ++pos_;
            return backref(namedBackref());
        }
        if (c == u'c' && !isAsciiLetter(peek(1))) return {unitAtom(u'\\')};  // 'c' follows alone
        if (auto set = classEscape()) return {setAtom(*set)};
        return {unitAtom(characterEscape())};
    }

    // \N is a back-reference when the pattern has N groups; otherwise it is
    // read again as an octal or identity escape.
    std::optional<int> backrefNumber() {
        std::size_t start = pos_;
        long value = 0;
        while (isDigit(peek())) value = std::min(value * 10 + (next() - u'0'), 100000L);
        if (value <= static_cast<long>(groupNames_.size())) return static_cast<int>(value);
        pos_ = start;
        return std::nullopt;
    }

    int namedBackref() {
        if (!eat(u'<')) throw Rejected{};
        std::size_t close = src_.find(u'>', pos_);
        if (close == std::u16string_view::npos) throw Rejected{};
        std::u16string_view name = src_.substr(pos_, close - pos_);
        pos_ = close + 1;
        auto it = std::find(groupNames_.begin(), groupNames_.end(), name);
        if (name.empty() || it == groupNames_.end()) throw Rejected{};
        return static_cast<int>(it - groupNames_.begin()) + 1;
    }

    // An unset group matches the empty text (the engine's option for that).
    // Ignoring case, the text must be compared unit by unit through the
    // canonical forms, which the engine cannot do itself: a callout checks
    // the text ahead, then a lazy helper group takes exactly its length.
    Piece backref(int n) {
        // Grouped: the JIT refuses a repeated reference to an unset group.
        if (!ignoreCase_) return {u"(?:\\k<" + groupName(n) + u">)", true};
        usesCallouts_ = true;
        ++helpers_;
        std::u16string group = decimal(n);
        std::u16string helper = decimal(helpers_);
        return {u"(?>(?C\"p" + group + u"\")(?<" + backrefHelperName(helpers_) +
                    u">[\\x{0}-\\x{ffff}]*?)(?C\"l" + group + u"," + helper + u"\"))",
                true};
    }

    // \d \D \s \S \w \W, or nothing.
    std::optional<UnitSet> classEscape() {
        char16_t c = peek();
        std::optional<UnitSet> set;
        switch (c) {
            case u'd':
                set = UnitSet::digits();
                break;
            case u'D':
                set = UnitSet::digits().inverted();
                break;
            case u's':
                set = UnitSet::whiteSpace();
                break;
            case u'S':
                set = UnitSet::whiteSpace().inverted();
                break;
            case u'w':
                set = UnitSet::wordUnits();
                break;
            case u'W':
                set = UnitSet::wordUnits().inverted();
                break;
            default:
                return std::nullopt;
        }
        ++pos_;
        return set;
    }

    // The unit a character escape stands for; the backslash is behind us.
    char16_t characterEscape() {
        char16_t c = next();
        switch (c) {
            case u'f':
                return u'\f';
            case u'n':
                return u'\n';
            case u'r':
                return u'\r';
            case u't':
                return u'\t';
            case u'v':
                return u'\v';
            case u'c':
                return static_cast<char16_t>(next() % 32);  // a letter follows
            case u'x':
                return hexEscape(2, u'x');
            case u'u':
                return hexEscape(4, u'u');
            case u'k':
                if (hasNamedGroups_) throw Rejected{};
                return c;
            default:
                if (isOctal(c)) return legacyOctal(c);
                return c;  // identity escape, \8 and \9 included
        }
    }

    // \xHH or \uHHHH; with too few hex digits just the letter.
    char16_t hexEscape(int digits, char16_t letter) {
        int value = 0;
        for (int i = 0; i < digits; ++i) {
            int digit = hexValue(peek(i));
            if (digit < 0 || atEnd(i)) return letter;
            value = value * 16 + digit;
        }
        pos_ += digits;
        return static_cast<char16_t>(value);
    }

    // \0 to \377: a third digit only while the value stays below 256.
    char16_t legacyOctal(char16_t first) {
        int value = first - u'0';
        if (isOctal(peek())) {
            value = value * 8 + (next() - u'0');
            if (value < 32 && isOctal(peek())) value = value * 8 + (next() - u'0');
        }
        return static_cast<char16_t>(value);
    }

    // --- classes ---
    std::u16string classAtom() {
        bool negated = eat(u'^');
        UnitSet set;
        while (!eat(u']')) {
            if (atEnd()) throw Rejected{};
            ClassAtom first = classMember();
            if (peek() == u'-' && !atEnd(1) && peek(1) != u']') {
                ++pos_;
                ClassAtom last = classMember();
                addRange(set, first, last);
            } else {
                addMember(set, first);
            }
        }
        if (ignoreCase_) set = set.closedOverCase();
        lastSet_ = negated ? set.inverted() : set;
        return lastSet_->toPattern();
    }

    static void addMember(UnitSet& set, const ClassAtom& atom) {
        if (atom.set)
            set.addSet(*atom.set);
        else
            set.add(atom.unit);
    }

    // A range with an escape such as \d at either end is no range: both ends
    // and the '-' are members.
    static void addRange(UnitSet& set, const ClassAtom& first, const ClassAtom& last) {
        if (first.set || last.set) {
            addMember(set, first);
            set.add(u'-');
            addMember(set, last);
            return;
        }
        if (first.unit > last.unit) throw Rejected{};
        set.addRange(first.unit, last.unit);
    }

    ClassAtom classMember() {
        char16_t c = next();
        if (c != u'\\') return {c, std::nullopt};
        if (atEnd()) throw Rejected{};
        char16_t e = peek();
        if (e == u'b') {
            ++pos_;
            return {u'\b', std::nullopt};
        }
        if (e == u'-') {
            ++pos_;
            return {u'-', std::nullopt};
        }
        if (e == u'c') {
            char16_t after = peek(1);
            if (isDigit(after) || after == u'_') {
                pos_ += 2;
                return {static_cast<char16_t>(after % 32), std::nullopt};
            }
            if (!isAsciiLetter(after)) return {u'\\', std::nullopt};
        }
        if (auto set = classEscape()) return {0, std::move(set)};
        return {characterEscape(), std::nullopt};
    }

    std::u16string_view src_;
    bool ignoreCase_;
    std::size_t pos_ = 0;
    std::vector<std::u16string> groupNames_;  // empty for a group without a name
    bool hasNamedGroups_ = false;
    int groupsOpened_ = 0;
    int helpers_ = 0;
    bool usesCallouts_ = false;
    int terms_ = 0;
    std::optional<UnitSet> lastSet_;  // the set of the last class-like atom
};

}  // namespace

std::u16string groupName(int n) {
    return u"g" + decimal(n);
}

std::u16string iterationHelperName(int k) {
    return u"e" + decimal(k);
}

std::u16string backrefHelperName(int k) {
    return u"b" + decimal(k);
}

std::optional<TranslatedPattern> translatePattern(std::u16string_view pattern, bool ignoreCase) {
    try {
        return Translator(pattern, ignoreCase).run();
    } catch (const Rejected&) {
        return std::nullopt;
    }
}

}  // namespace quillet
