#include "editor/code_box.h"

#include "support/box_fixture.h"

namespace quillet {
namespace {

using Box = testing::BoxFixture;

TEST_F(Box, UnboundBoxAnswersDefaults) {
    const CodeBox unbound;
    EXPECT_EQ(unbound.getLineCount(), 0);
    EXPECT_EQ(unbound.getLineText(0), "");
    unbound.insertTextAt(0, "x");  // does nothing, and does not crash
    EXPECT_EQ(boxText(), "");
}

TEST_F(Box, NegativeArgumentsAreHarmless) {
    setText("ab\r\ncd");
    const CodeBox b = ops();
    EXPECT_EQ(b.lineLength(-1), 0);
    EXPECT_EQ(b.lineFromPosition(-5), 0);
    EXPECT_EQ(b.positionFromLine(-1), 0);
    EXPECT_EQ(b.lineEndPosition(-1), 0);
    EXPECT_EQ(b.getLineText(-1), "");

    b.setSelection(1, 5);
    b.setSelection(-1, 2);
    EXPECT_EQ(b.getAnchor(), 1);
    EXPECT_EQ(b.getCaretPosition(), 5);
    b.gotoPosition(-3);
    EXPECT_EQ(b.getCaretPosition(), 5);
    b.gotoPosition(2);
    EXPECT_EQ(b.getCaretPosition(), 2);
    EXPECT_EQ(b.getAnchor(), 2);
}

TEST_F(Box, LineTextKeepsItsEnd) {
    setText("ab\r\ncd\r\n");
    const CodeBox b = ops();
    EXPECT_EQ(b.getLineCount(), 3);
    EXPECT_EQ(b.getLineText(0), "ab\r\n");
    EXPECT_EQ(b.getLineText(1), "cd\r\n");
    EXPECT_EQ(b.getLineText(2), "");  // the empty last line
    EXPECT_EQ(b.lineLength(0), 4);
    EXPECT_EQ(b.lineEndPosition(0), 2);
    EXPECT_EQ(b.positionFromLine(1), 4);
}

TEST_F(Box, AddTextLengths) {
    const CodeBox b = ops();
    b.addText("abc", -2);
    EXPECT_EQ(boxText(), "");
    b.addText("abc", 2);
    EXPECT_EQ(boxText(), "ab");
    b.addText("xyz", 10);
    EXPECT_EQ(boxText(), "abxyz");
    EXPECT_EQ(b.getCaretPosition(), 5);
}

TEST_F(Box, CharacterIndexWalk) {
    setText(
        "a\xE4\xB8\xAD"
        "b");  // a 中 b
    const CodeBox b = ops();
    const int positionOf[] = {0, 1, 4};
    for (int index = 0; index < 3; ++index)
        EXPECT_EQ(b.charIndexToPosition(index), positionOf[index]);
    const int indexAt[] = {0, 1, 1, 1, 2, 3};
    for (int position = 0; position <= 5; ++position)
        EXPECT_EQ(b.positionToCharIndex(position), indexAt[position]) << position;
    EXPECT_EQ(b.charIndexToPosition(6), 0);  // beyond the text's length in bytes
    EXPECT_EQ(b.positionToCharIndex(6), 0);
}

}  // namespace
}  // namespace quillet
