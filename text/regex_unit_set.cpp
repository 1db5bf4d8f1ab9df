#include "text/regex_unit_set.h"

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
    set.bits_.set();
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
    for (unsigned unit = first; unit <= last; ++unit) bits_.set(unit);
}

UnitSet UnitSet::inverted() const {
    UnitSet set;
    set.bits_ = ~bits_;
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

std::u16string UnitSet::toPattern() const {
    if (bits_.count() == 1) {
        for (unsigned unit = 0; unit < bits_.size(); ++unit) {
            if (bits_.test(unit)) return escapeUnit(static_cast<char16_t>(unit));
        }
    }
    // Code units run to 0xffff here, so the negated full range matches nothing.
    if (empty()) return u"[^\\x{0}-\\x{ffff}]";
    std::u16string out = u"[";
    unsigned unit = 0;
    while (unit < bits_.size()) {
        if (!bits_.test(unit)) {
            ++unit;
            continue;
        }
        unsigned last = unit;
        while (last + 1 < bits_.size() && bits_.test(last + 1)) ++last;
        out += escapeUnit(static_cast<char16_t>(unit));
        if (last > unit) {
            out += u'-';
            out += escapeUnit(static_cast<char16_t>(last));
        }
        unit = last + 1;
    }
    out += u']';
    return out;
}

}  // namespace quillet
