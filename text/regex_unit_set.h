#pragma once

#include <array>
#include <cstdint>
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

    void add(char16_t unit) { words_[unit >> 6] |= std::uint64_t{1} << (unit & 63); }
    void addRange(char16_t first, char16_t last);
    void addSet(const UnitSet& other);
    UnitSet inverted() const;
    // Adds every unit that ignores case into a member.
    UnitSet closedOverCase() const;

    bool contains(char16_t unit) const { return (words_[unit >> 6] >> (unit & 63)) & 1; }
    bool empty() const;

    // The set as one engine atom: an escaped unit or a bracketed class.
    std::u16string toPattern() const;

  private:
    // Unit u is bit u % 64 of word u / 64.
    std::array<std::uint64_t, 0x10000 / 64> words_{};

    // The first unit at or after `from` that is (or is not) in the set; 0x10000 if none.
    unsigned nextWith(unsigned from, bool member) const;
};

// A unit written as an engine escape, \x{hhhh}.
std::u16string escapeUnit(char16_t unit);

}  // namespace quillet
