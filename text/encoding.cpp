#include "text/encoding.h"

#include <cstring>

#include "text/gbk_codepage.h"
#include "text/utf8_codec.h"

namespace quillet {
namespace {

using Byte = std::uint8_t;

const Byte* bytesOf(std::string_view s) {
    return reinterpret_cast<const Byte*>(s.data());
}

// The text's bytes before its first NUL.
std::string_view upToNul(const Text& text) {
    const std::string_view all(text);
    return all.substr(0, all.find('\0'));
}

// The unit of the GBK character at p; moves p past it. A lead byte at the
// end or before a zero byte is no character and takes only itself.
char16_t nextGbkUnit(const Byte*& p, const Byte* end) {
    const Byte b = *p++;
    if (!gbk::isLead(b)) return gbk::singleUnit(b);
    if (p == end || *p == 0) return u'?';
    return gbk::pairUnit(b, *p++);
}

// Writes the GBK form of a unit; a unit without one becomes "?".
Byte* putGbk(Byte* out, char16_t unit, bool& usedDefault) {
    const std::uint16_t gbk = gbk::unitToGbk(unit);
    if (gbk == gbk::kNoGbk) {
        usedDefault = true;
        *out++ = '?';
    } else if (gbk < 0x100) {
        *out++ = static_cast<Byte>(gbk);
    } else {
        *out++ = static_cast<Byte>(gbk >> 8);
        *out++ = static_cast<Byte>(gbk & 0xFF);
    }
    return out;
}

bool isHighSurrogate(char16_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool isLowSurrogate(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

// Copies the run of plain ASCII at in to out and moves both past it.
void copyAsciiRun(const Byte*& in, const Byte* end, Byte*& out) {
    const std::size_t run = utf8::plainAsciiRun(in, end);
    std::memcpy(out, in, run);
    in += run;
    out += run;
}

// GBK bytes to UTF-8, every byte converted (a zero byte too).
Byte* gbkToUtf8(const Byte* in, const Byte* end, Byte* out) {
    while (in < end) {
        copyAsciiRun(in, end, out);
        if (in == end) break;
        // No GBK cell is a surrogate, so each unit is a whole character.
        out = utf8::putBmp(out, nextGbkUnit(in, end));
    }
    return out;
}

// UTF-8 bytes to GBK up to the first zero byte that starts a character, which
// is where the UTF-16 form has its first zero unit.
Byte* utf8ToGbkUpToZero(const Byte* in, const Byte* end, Byte* out) {
    bool usedDefault = false;
    while (in < end) {
        copyAsciiRun(in, end, out);
        if (in == end || *in == 0) break;
        // The run stopped at a byte of 80 or above.
        const char32_t cp = utf8::decodeMultiByte(in, end);
        if (cp > 0xFFFF) {
            // Two surrogate units, each of them without a GBK form.
            *out++ = '?';
            *out++ = '?';
        } else {
            out = putGbk(out, static_cast<char16_t>(cp), usedDefault);
        }
    }
    return out;
}

}  // namespace

std::u16string ansiToUnits(std::string_view ansi) {
    std::u16string units;
    units.reserve(ansi.size());
    const Byte* p = bytesOf(ansi);
    const Byte* end = p + ansi.size();
    while (p < end) units.push_back(nextGbkUnit(p, end));
    return units;
}

std::string unitsToAnsi(std::u16string_view units, bool& usedDefault) {
    usedDefault = false;
    std::string ansi(2 * units.size(), '\0');
    Byte* begin = reinterpret_cast<Byte*>(ansi.data());
    Byte* out = begin;
    // One unit at a time: a surrogate, paired or not, has no GBK form.
    for (char16_t unit : units) out = putGbk(out, unit, usedDefault);
    ansi.resize(static_cast<std::size_t>(out - begin));
    return ansi;
}

std::string unitsToAnsi(std::u16string_view units) {
    bool usedDefault = false;
    return unitsToAnsi(units, usedDefault);
}

std::u16string utf8ToUnits(std::string_view utf8) {
    std::u16string units;
    units.reserve(utf8.size());
    const Byte* p = bytesOf(utf8);
    const Byte* end = p + utf8.size();
    while (p < end) {
        if (*p < 0x80) {
            units.push_back(*p++);
            continue;
        }
        const char32_t cp = utf8::decodeMultiByte(p, end);
        if (cp > 0xFFFF) {
            units.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(cp));
        }
    }
    return units;
}

std::string unitsToUtf8(std::u16string_view units) {
    std::string utf8(3 * units.size(), '\0');
    Byte* begin = reinterpret_cast<Byte*>(utf8.data());
    Byte* out = begin;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (isHighSurrogate(u) && i + 1 < units.size() && isLowSurrogate(units[i + 1])) {
            const char32_t cp = 0x10000 + ((u - 0xD800) << 10) + (units[++i] - 0xDC00);
            out = utf8::putSupplementary(out, cp);
        } else if (isHighSurrogate(u) || isLowSurrogate(u)) {
            out = utf8::putBmp(out, utf8::kReplacement);
        } else {
            out = utf8::putBmp(out, u);
        }
    }
    utf8.resize(static_cast<std::size_t>(out - begin));
    return utf8;
}

ByteSet ansiToUtf16(const Text& text) {
    const std::u16string units = ansiToUnits(upToNul(text));
    // Zero-filled, so the unit after the text's units is the terminating zero.
    ByteSet set(2 * units.size() + 2);
    for (std::size_t i = 0; i < units.size(); ++i) {
        set[2 * i] = static_cast<Byte>(units[i] & 0xFF);
        set[2 * i + 1] = static_cast<Byte>(units[i] >> 8);
    }
    return set;
}

ByteSet ansiToUtf8(const Text& text) {
    // The UTF-16 form is the text's units and one zero unit, so its UTF-8 form
    // up to the first zero byte is the text's UTF-8 and that zero byte.
    const std::string_view ansi = upToNul(text);
    const Byte* in = bytesOf(ansi);
    ByteSet set(3 * ansi.size() + 1);  // a GBK byte makes at most three UTF-8 bytes
    Byte* out = gbkToUtf8(in, in + ansi.size(), set.data());
    *out++ = 0;
    set.resize(static_cast<std::size_t>(out - set.data()));
    return set;
}

Text utf16ToAnsi(const ByteSet& utf16) {
    // Read as a NUL-terminated string, but never past the end of the set: a
    // trailing odd byte is half a unit and is not read.
    std::u16string units;
    for (std::size_t i = 0; i + 1 < utf16.size(); i += 2) {
        const auto unit = static_cast<char16_t>(utf16[i] | utf16[i + 1] << 8);
        if (unit == 0) break;
        units.push_back(unit);
    }
    return unitsToAnsi(units);
}

Text utf8ToAnsi(const ByteSet& utf8) {
    // A last byte below 127 (or none) gets a zero byte after it; 127 and
    // above leave the set as it is, and then all of it is converted.
    ByteSet terminated = utf8;
    if (terminated.empty() || terminated.back() < 127) terminated.push_back(0);
    // Each UTF-8 byte makes at most one GBK byte.
    Text ansi(terminated.size(), '\0');
    Byte* begin = reinterpret_cast<Byte*>(ansi.data());
    const Byte* out =
        utf8ToGbkUpToZero(terminated.data(), terminated.data() + terminated.size(), begin);
    ansi.resize(static_cast<std::size_t>(out - begin));
    return ansi;
}

}  // namespace quillet
