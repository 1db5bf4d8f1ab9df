#!/usr/bin/env python3
"""Writes text/pinyin_table.inc: the pinyin readings of every GB2312 Chinese
character, taken from the Unihan readings of Debian's unicode-data package.

    tools/gen_pinyin_table.py [--unihan FILE] [--output FILE]

Readings of a character, in this order, tones stripped and duplicates dropped:
  1. the first kMandarin value (the customary reading);
  2. the readings of kXHC1983, then of kTGHZ2013, each in the field's order;
  3. a second kMandarin value;
  4. kHanyuPinyin, only when the character has neither kXHC1983 nor kTGHZ2013.
Then the overrides below are applied, and the reference rows are checked.
A summary goes to standard output.
"""

import argparse
import bz2
import sys
import unicodedata
from pathlib import Path

REPO = Path(__file__).resolve().parent.parent
DEFAULT_UNIHAN = Path("/usr/share/unicode/Unihan_Readings.txt.bz2")
DEFAULT_OUTPUT = REPO / "text" / "pinyin_table.inc"

FIELDS = ("kMandarin", "kXHC1983", "kTGHZ2013", "kHanyuPinyin")

# Readings moved to the front, in the order given; the rest keep their order.
# (code, character, leading readings, reason)
OVERRIDES = [
    (0xB3A4, "长", ["chang", "zhang"],
     "our callers expect chang first, the reading of 长度, 长期, 很长; "
     "Unihan 15's kMandarin gives zhǎng"),
]

# Rows the table must reproduce exactly; the generator stops when one differs.
REFERENCE_ROWS = {
    0xB0A1: ["a"], 0xB0B2: ["an"], 0xB0AE: ["ai"], 0xB6FE: ["er"], 0xD6D0: ["zhong"],
    0xD2BB: ["yi"], 0xCDF5: ["wang"], 0xD0D0: ["xing", "hang", "heng"],
    0xB3A4: ["chang", "zhang"], 0xD6D8: ["zhong", "chong"], 0xBACD: ["he", "hu", "huo"],
    0xD7C5: ["zhe", "zhao", "zhuo"], 0xD7FA: [],
}

# Tone marks are dropped; the diaeresis of ü is kept and written as v.
TONE_MARKS = {"\u0300", "\u0301", "\u0304", "\u030C"}


def toneless(reading):
    """'lǜ' -> 'lv'. Fails on anything that does not become plain a-z."""
    letters = "".join(c for c in unicodedata.normalize("NFD", reading) if c not in TONE_MARKS)
    syllable = unicodedata.normalize("NFC", letters).replace("ü", "v")
    if not syllable.isascii() or not syllable.isalpha() or not syllable.islower():
        raise ValueError(f"unexpected reading {reading!r}")
    return syllable


def load_unihan(path):
    """{code point: {field: value}} for the fields we read, and the Unicode version."""
    fields, version = {}, "unknown"
    with bz2.open(path, "rt", encoding="utf-8") as lines:
        for line in lines:
            if line.startswith("# Unicode version:"):
                version = line.split(":", 1)[1].strip()
            if line.startswith("#") or not line.strip():
                continue
            code, field, value = line.rstrip("\n").split("\t")
            if field in FIELDS:
                fields.setdefault(int(code[2:], 16), {})[field] = value
    return fields, version


def located_readings(value):
    """Readings of a field whose entries are 'location:reading[,reading...]'."""
    readings = []
    for entry in value.split():
        readings.extend(entry.split(":", 1)[1].split(","))
    return readings


def readings_of(entry):
    mandarin = entry.get("kMandarin", "").split()
    ordered = mandarin[:1]
    ordered += located_readings(entry.get("kXHC1983", ""))
    ordered += located_readings(entry.get("kTGHZ2013", ""))
    ordered += mandarin[1:2]
    if "kXHC1983" not in entry and "kTGHZ2013" not in entry:
        ordered += located_readings(entry.get("kHanyuPinyin", ""))
    unique = []
    for syllable in map(toneless, ordered):
        if syllable not in unique:
            unique.append(syllable)
    return unique


def gb2312_codes():
    for first in range(0xB0, 0xF8):
        for second in range(0xA1, 0xFF):
            yield (first << 8) | second


def character_of(code):
    try:
        return code.to_bytes(2, "big").decode("gb2312")
    except UnicodeDecodeError:
        return None  # D7FA-D7FE are unassigned


def apply_overrides(table, report):
    for code, character, leading, reason in OVERRIDES:
        readings = table[code]
        if character_of(code) != character:
            sys.exit(f"override {code:04X}: the code is not {character}")
        if any(r not in readings for r in leading):
            sys.exit(f"override {code:04X} {character}: {leading} not all in {readings}")
        if readings[: len(leading)] == leading:
            sys.exit(f"override {code:04X} {character}: no longer needed, remove it")
        table[code] = leading + [r for r in readings if r not in leading]
        report.append(f"override {code:04X} {character}: {readings} -> {table[code]} ({reason})")


def check_reference_rows(table):
    for code, expected in REFERENCE_ROWS.items():
        if table[code] != expected:
            sys.exit(f"{code:04X} {character_of(code) or ''}: {table[code]}, expected {expected}")


def build_table(unihan):
    table = {}
    for code in gb2312_codes():
        character = character_of(code)
        table[code] = readings_of(unihan.get(ord(character), {})) if character else []
    return table


def wrapped(items, indent="    ", width=100):
    lines, line = [], indent
    for item in items:
        if len(line) + len(item) + 1 > width and line.strip():
            lines.append(line.rstrip())
            line = indent
        line += item + " "
    if line.strip():
        lines.append(line.rstrip())
    return lines


def render(table, version):
    syllables = sorted({s for readings in table.values() for s in readings})
    index = {s: i for i, s in enumerate(syllables)}
    out = [
        "// Generated by tools/gen_pinyin_table.py from Unihan_Readings.txt",
        f"// (Unicode {version}). Do not edit; run the generator.",
        "//",
        "// Toneless syllables, ü written as v.",
        "constexpr std::string_view kSyllables[] = {",
        *wrapped(f'"{s}",' for s in syllables),
        "};",
        "",
        "// GB2312 code (0xB0 + row, 0xA1 + column) has the number k = row * 94 + column; its",
        "// readings, most common first, run from kReadings[kReadingStart[k]] up to, not",
        "// including, kReadings[kReadingStart[k + 1]], as indices into kSyllables.",
        "constexpr std::uint16_t kReadingStart[] = {",
    ]
    starts, readings = [], []
    rows = {}
    for code in gb2312_codes():
        starts.append(len(readings))
        readings.extend(index[s] for s in table[code])
        rows.setdefault(code >> 8, []).append((starts[-1], [index[s] for s in table[code]]))
    for first, codes in rows.items():
        out.append(f"    // {first:02X}")
        out += wrapped(f"{start}," for start, _ in codes)
    out.append(f"    {len(readings)},")
    out += ["};", "", "constexpr std::uint16_t kReadings[] = {"]
    for first, codes in rows.items():
        out.append(f"    // {first:02X}")
        out += wrapped(f"{i}," for _, ids in codes for i in ids)
    out.append("};")
    return "\n".join(out) + "\n"


def summary(table):
    counts = {"zero": 0, "one": 0, "two": 0, "three or more": 0}
    for readings in table.values():
        counts[["zero", "one", "two"][len(readings)] if len(readings) < 3 else "three or more"] += 1
    return ", ".join(f"{n} with {name}" for name, n in counts.items())


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--unihan", type=Path, default=DEFAULT_UNIHAN)
    parser.add_argument("--output", type=Path, default=DEFAULT_OUTPUT)
    args = parser.parse_args()

    unihan, version = load_unihan(args.unihan)
    table = build_table(unihan)
    report = []
    apply_overrides(table, report)
    check_reference_rows(table)
    args.output.write_text(render(table, version), encoding="utf-8")
    for line in report:
        print(line)
    print(f"{len(table)} codes: {summary(table)} readings")
    print(f"wrote {args.output}")


if __name__ == "__main__":
    main()
