#include "text/char_cells.h"

#include <gtest/gtest.h>

#include "support/byte_literal.h"

namespace quillet {
namespace {

using testing::bytes;

TEST(CharCells, OneCellPerCharacter) {
    EXPECT_EQ(toCharCells("a\xD6\xD0"
                          "b"),
              bytes({0x61, 0, 0xD6, 0xD0, 0x62, 0}));
    // An extension character whose second byte is ASCII stays one cell.
    EXPECT_EQ(toCharCells("\x81\x40\xD6\xD0"), bytes({0x81, 0x40, 0xD6, 0xD0}));
    // A lead byte cut off by the end of the text is padded.
    EXPECT_EQ(toCharCells("a\xD6"), bytes({0x61, 0, 0xD6, 0}));
    EXPECT_TRUE(toCharCells("").empty());
    EXPECT_EQ(toCharCells("abcde").size(), 10u);
}

TEST(CharCells, MidChars) {
    const ByteSet cells = toCharCells(
        "a\xD6\xD0"
        "b");
    struct Case {
        int start, count;
        Text expected;
    } cases[] = {
        {1, 1, "a"},
        {2, 1, "\xD6\xD0"},
        {3, 1, "b"},
        {0, 1, ""},
        {4, 1, ""},
        {-3, 1, ""},
        {2, 5,
         "\xD6\xD0"
         "b"},  // the count is cut to the cells, then to the end
        {1, 0, ""},
        {1, -1, ""},
        {1, 3,
         "a\xD6\xD0"
         "b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(midChars(cells, c.start, c.count), c.expected) << c.start << "," << c.count;
    }
    const ByteSet ext = toCharCells("\x81\x40\xD6\xD0");
    EXPECT_EQ(midChars(ext, 1), "\x81\x40");
    EXPECT_EQ(midChars(ext, 2), "\xD6\xD0");
    EXPECT_EQ(midChars(ByteSet{0x61}, 1), "");  // half a cell is no character
}

TEST(CharCells, WalkGivesTheTextBack) {
    const Text text = "x\xB0\xA1\x81\x40 9\xFE";
    const ByteSet cells = toCharCells(text);
    Text joined;
    for (int i = 1;; ++i) {
        Text ch = midChars(cells, i);
        if (ch.empty()) break;
        joined += ch;
    }
    EXPECT_EQ(joined, text);
    EXPECT_EQ(cellsToText(cells), text);
    EXPECT_EQ(cellsToText({}), "");
}

}  // namespace
}  // namespace quillet
