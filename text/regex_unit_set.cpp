#include "text/regex_unit_set.h"

#include <bit>

#include "text/regex_case.h"

namespace quillet {

std::u16string escapeUnit(char16_t unit) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::u16string out = u"\\x{";
    bool started = false;
    for (int shift = 12; shift >= 0; shift -= 4) {
        int digit = (unit >> shift) & 0xF;
        if (digit == 0 && !started && shift > 0) continue;
        started = true;
        out += static_cast<char16_t>(kHex[digit]);
    }
    out += u'}';
    return out;
}

UnitSet UnitSet::all() {
    UnitSet set;
    set.words_.fill(~std::uint64_t{0});
    return set;
}

UnitSet UnitSet::digits() {
    UnitSet set;
    set.addRange(u'0', u'9');
    return set;
}

UnitSet UnitSet::wordUnits() {
    UnitSet set;
    set.addRange(u'0', u'9');
    set.addRange(u'A', u'Z');
    set.add(u'_');
    set.addRange(u'a', u'z');
    return set;
}

UnitSet UnitSet::lineTerminators() {
    UnitSet set;
    for (char16_t unit : {u'\n', u'\r', u'\u2028', u'\u2029'}) set.add(unit);
    return set;
}

UnitSet UnitSet::whiteSpace() {
    UnitSet set = lineTerminators();
    for (char16_t unit : {u'\t', u'\v', u'\f', u' ', u'\u00a0', u'\u1680', u'\u202f', u'\u205f',
                          u'\u3000', u'\ufeff'}) {
        set.add(unit);
    }
    set.addRange(u'\u2000', u'\u200a');
    return set;
}

void UnitSet::addRange(char16_t first, char16_t last) {
    for (unsigned unit = first; unit <= last; ++unit) add(static_cast<char16_t>(unit));
}

void UnitSet::addSet(const UnitSet& other) {
    for (std::size_t i = 0; i < words_.size(); ++i) words_[i] |= other.words_[i];
}

bool UnitSet::empty() const {
    for (std::uint64_t word : words_) {
        if (word != 0) return false;
    }
    return true;
}

UnitSet UnitSet::inverted() const {
    UnitSet set;
    for (std::size_t i = 0; i < words_.size(); ++i) set.words_[i] = ~words_[i];
    return set;
}

UnitSet UnitSet::closedOverCase() const {
    UnitSet set = *this;
    for (const auto& group : caseGroups()) {
        bool touched = false;
        for (char16_t unit : group) touched = touched || contains(unit);
        if (!touched) continue;
        for (char16_t unit : group) set.add(unit);
    }
    return set;
}

unsigned UnitSet::nextWith(unsigned from, bool member) const {
    while (from < 0x10000) {
        std::uint64_t word = words_[from >> 6];
        if (!member) word = ~word;
        word &= ~std::uint64_t{0} << (from & 63);
        if (word != 0) return (from & ~63u) + static_cast<unsigned>(std::countr_zero(word));
        from = (from & ~63u) + 64;
    }
    return 0x10000;
}

std::u16string UnitSet::toPattern() const {
    const unsigned first = nextWith(0, true);
    // Code units run to 0xffff here, so the negated full range matches nothing.
    if (first == 0x10000) return u"[^\\x{0}-\\x{ffff}]";
    if (nextWith(first + 1, true) == 0x10000) return escapeUnit(static_cast<char16_t>(first));
    std::u16string out = u"[";
    for (unsigned unit = first; unit < 0x10000; unit = nextWith(unit, true)) {
        const unsigned last = nextWith(unit, false) - 1;
        out += escapeUnit(static_cast<char16_t>(unit));
        if (last > unit) {
            out += u'-';
            out += escapeUnit(static_cast<char16_t>(last));
        }
        unit = last + 1;
        if (unit >= 0x10000) break;
    }
    out += u']';
    return out;
}

}  // namespace quillet
