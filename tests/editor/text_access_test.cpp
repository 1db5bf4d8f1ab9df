#include "editor/syntax_editor.h"
#include "support/box_fixture.h"
#include "text/gbk_literal.h"

namespace quillet {
namespace {

using TextAccess = testing::BoxFixture;

TEST_F(TextAccess, GetTextConvertsLineByLine) {
    EXPECT_EQ(editor.getText(), "");
    setText("abc\r\n\xE4\xB8\xAD");
    EXPECT_EQ(editor.getText(), "abc\r\n\xD6\xD0");
    setText("x\n\xF0\x9F\x98\x80");  // an emoji has no GBK form
    EXPECT_EQ(editor.getText(), "x\n??");
}

TEST_F(TextAccess, InsertTextDropsOneClosingCrLf) {
    struct Case {
        Text in;
        std::string inserted;
    } cases[] = {
        {"abc\r\n", "abc"},          {"abc\r\n\r\n", "abc\r\n"}, {"\r\n", ""},
        {"abc\n", "abc\n"},          {"a\r\nb", "a\r\nb"},       {"", ""},
        {gbk("中"), "\xE4\xB8\xAD"},
    };
    for (const auto& c : cases) {
        setText("");
        editor.insertText(c.in, 99, false);
        EXPECT_EQ(boxText(), c.inserted);
        EXPECT_EQ(ops().getCaretPosition(), static_cast<int>(c.inserted.size()));
    }
}

TEST_F(TextAccess, InsertTextAtAPosition) {
    setText("abcdef");
    ops().gotoPosition(1);
    editor.insertText("XY", 4, true);
    EXPECT_EQ(boxText(), "abcdXYef");
    EXPECT_EQ(ops().getCaretPosition(), 1);  // a caret before the place stays
    ops().gotoPosition(8);
    editor.insertText("Z", 0, true);
    EXPECT_EQ(ops().getCaretPosition(), 9);  // one after it moves with its text
}

TEST_F(TextAccess, ReplaceRange) {
    setText("one\r\ntwo");
    const CodeBox b = ops();
    editor.replaceRange("", b.positionFromLine(0), b.lineEndPosition(0));
    EXPECT_EQ(boxText(), "\r\ntwo");
    editor.replaceRange(gbk("中"), 0, 0);
    EXPECT_EQ(boxText(), "\xE4\xB8\xAD\r\ntwo");
    EXPECT_EQ(b.getCaretPosition(), 3);
    // A negative start keeps the selection, so the text goes in at the caret.
    b.setSelection(5, 8);
    editor.replaceRange("X", -1, 2);
    EXPECT_EQ(boxText(), "\xE4\xB8\xAD\r\nX");
}

TEST(FindInBytes, PositionsCountFromOne) {
    SyntaxEditor e;
    const ByteSet haystack{0x61, 0xE4, 0xB8, 0xAD};
    struct Case {
        Text needle;
        int start, end;
    } cases[] = {
        {gbk("中"), 2, 5},  {"a", 1, 2},
        {"", -1, -1},       {"b", -1, 0},
        {gbk("文"), -1, 2}, {"a" + gbk("中") + "b", -1, 4},  // longer than the haystack
    };
    for (const auto& c : cases) {
        int start = 99, end = 99;
        EXPECT_EQ(e.findInBytes(haystack, c.needle, start, end), c.start);
        EXPECT_EQ(start, c.start);
        EXPECT_EQ(end, c.end);
    }
}

}  // namespace
}  // namespace quillet
