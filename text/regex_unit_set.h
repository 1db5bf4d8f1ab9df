#pragma once

#include <bitset>
#include <string>

namespace quillet {

// A set of UTF-16 code units, the form every character class takes on its
// way to the engine: built up from ranges and escapes, closed over case,
// then written out as one explicit class.
class UnitSet {
  public:
    static UnitSet all();
    static UnitSet digits();      // \d
    static UnitSet wordUnits();   // \w
    static UnitSet whiteSpace();  // \s: ECMAScript's white space and line terminators
    static UnitSet lineTerminators();

    void add(char16_t unit) { bits_.set(unit); }
    void addRange(char16_t first, char16_t last);
    void addSet(const UnitSet& other) { bits_ |= other.bits_; }
    UnitSet inverted() const;
    // Adds every unit that ignores case into a member.
    UnitSet closedOverCase() const;

    bool contains(char16_t unit) const { return bits_.test(unit); }
    bool empty() const { return bits_.none(); }

    // The set as one engine atom: an escaped unit or a bracketed class.
    std::u16string toPattern() const;

  private:
    std::bitset<0x10000> bits_;
};

// A unit written as an engine escape, \x{hhhh}.
std::u16string escapeUnit(char16_t unit);

}  // namespace quillet
