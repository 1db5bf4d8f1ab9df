#include <QApplication>
#include <QInputMethodEvent>

#include "editor/scintilla_messages.h"
#include "support/box_fixture.h"

namespace quillet {
namespace {

class Colouring : public testing::BoxFixture {
  protected:
    int caret() const { return ops().getCaretPosition(); }
    bool canUndo() const { return ops().send(2174 /* CANUNDO */) != 0; }
    bool canRedo() const { return ops().send(2016 /* CANREDO */) != 0; }
    bool modified() const { return ops().send(2159 /* GETMODIFY */) != 0; }
    void undo() {
        ops().send(2176 /* UNDO */);
        settle();
    }
    void redo() {
        ops().send(2011 /* REDO */);
        settle();
    }
    void forgetHistory() {
        ops().send(2175 /* EMPTYUNDOBUFFER */);
        ops().send(2014 /* SETSAVEPOINT */);
    }
};

TEST_F(Colouring, TypedPunctuationBecomesAscii) {
    type("a，b");
    EXPECT_EQ(boxText(), "a,b");
    EXPECT_EQ(lineStyles(0), "676");
    EXPECT_EQ(caret(), 3);

    setText("");
    type("“word”");
    EXPECT_EQ(boxText(), "\"word\"");
    EXPECT_EQ(lineStyles(0), "333333");
    EXPECT_EQ(caret(), 6);
}

TEST_F(Colouring, LinesAsTheClassifierSeesThem) {
    struct Case {
        const char* text;
        std::vector<std::string> styles;
    } cases[] = {
        {"foo(1);", {"5557876"}},
        {"x = 1; // y", {"44444444444"}},
        {"/* a\r\n * b\r\n */", {"7776", "7776", "444"}},
        {"if ($a ≠ 12.5) {", {"667766777778888776"}},  // ≠ is three bytes, one delimiter
        {"\r\n\r\nx\r\n", {"", "", "6", ""}},
        {"echo \"说\";", {"66667333333"}},
    };
    for (const auto& c : cases) {
        setText(c.text);
        ASSERT_EQ(ops().getLineCount(), static_cast<int>(c.styles.size())) << c.text;
        for (std::size_t line = 0; line < c.styles.size(); ++line)
            EXPECT_EQ(lineStyles(static_cast<int>(line)), c.styles[line]) << c.text << " " << line;
        EXPECT_EQ(boxText(), c.text);
    }
}

TEST_F(Colouring, RestylingAloneLeavesTheDocumentUnmodified) {
    setText("foo(1);\r\nbar();");
    forgetHistory();
    editor.attach(1, box->boxId());  // every line is offered again
    ops().setSelection(2, 12);
    settle();
    EXPECT_EQ(lineStyles(0), "5557876");
    EXPECT_EQ(lineStyles(1), "555776");
    EXPECT_FALSE(modified());
    EXPECT_FALSE(canUndo());
    EXPECT_EQ(ops().getAnchor(), 2);  // the selection survives
    EXPECT_EQ(caret(), 12);
}

TEST_F(Colouring, SameLengthEditsAreRecoloured) {
    setText("abc");
    EXPECT_EQ(lineStyles(0), "666");
    ops().setSelection(1, 2);
    type("(");  // overtypes b: a is now followed by "("
    EXPECT_EQ(boxText(), "a(c");
    EXPECT_EQ(lineStyles(0), "576");
    ops().setSelection(0, 3);
    ops().replaceSelection("1.5");
    settle();
    EXPECT_EQ(lineStyles(0), "888");
}

TEST_F(Colouring, UndoTakesTheNormalisationBackAndRedoStillWorks) {
    type("a，b");
    ASSERT_EQ(boxText(), "a,b");
    std::vector<std::string> seen{boxText()};
    while (canUndo()) {
        undo();
        seen.push_back(boxText());
        EXPECT_TRUE(canRedo());
        if (boxText() == "a\xEF\xBC\x8C") {
            EXPECT_EQ(lineStyles(0), "6777");  // restyled, not normalised again
        }
        ASSERT_LT(seen.size(), 10u) << "undo does not come to an end";
    }
    EXPECT_EQ(seen.back(), "");
    EXPECT_NE(std::find(seen.begin(), seen.end(), "a\xEF\xBC\x8C"), seen.end());
    while (canRedo()) {
        redo();
        ASSERT_LT(seen.size(), 20u);
        seen.push_back(boxText());
    }
    EXPECT_EQ(boxText(), "a,b");
    EXPECT_EQ(lineStyles(0), "676");
}

TEST_F(Colouring, CharactersGbkLacksSurvive) {
    ops().replaceSelection("ä😀");  // a paste: keys carry one UTF-16 unit at a time
    settle();
    EXPECT_EQ(boxText(), "ä😀");
    type("，x");
    EXPECT_EQ(boxText(), "ä😀,x");
    EXPECT_EQ(lineStyles(0), std::string(6, '6') + "76");
}

TEST_F(Colouring, LoneLineEndsNeverSplitOrJoinLines) {
    setText("a b\nc(d)\rx，y\n");
    EXPECT_EQ(ops().getLineCount(), 4);
    EXPECT_EQ(boxText(), "a b\nc(d)\rx,y\n");
    EXPECT_EQ(lineStyles(0), "676");
    EXPECT_EQ(lineStyles(1), "5767");
    EXPECT_EQ(lineStyles(2), "676");
}

TEST_F(Colouring, CaretKeepsItsCharacterAndColumn) {
    setText("x\r\nab");
    ops().gotoPosition(5);
    settle();
    ops().gotoPosition(4);  // between a and b of line 1
    type("（");
    EXPECT_EQ(boxText(), "x\r\na(b");
    EXPECT_EQ(caret(), 5);
    // Up/down keep the column the rewrite left.
    ops().send(2302 /* LINEUP */);
    EXPECT_EQ(caret(), 1);
}

TEST_F(Colouring, CompositionIsLeftAloneUntilCommitted) {
    type("x");
    {
        QInputMethodEvent preedit(QStringLiteral("ni，"), {});
        QApplication::sendEvent(box.get(), &preedit);
        settle();
    }
    // The preedit is tentative text in the document: nothing may touch it.
    EXPECT_EQ(boxText(), "xni\xEF\xBC\x8C");
    {
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("你，"));
        QApplication::sendEvent(box.get(), &commit);
        settle();
    }
    EXPECT_EQ(boxText(), "x\xE4\xBD\xA0,");
    EXPECT_EQ(caret(), 5);
    EXPECT_EQ(lineStyles(0), "66667");
}

}  // namespace
}  // namespace quillet

namespace quillet {
namespace {

using DirectColouring = testing::BoxFixture;

TEST_F(DirectColouring, CaretLineAndSingleLines) {
    // Text put in without an update event: nothing is coloured yet.
    box->SendScintilla(QsciScintillaBase::SCI_SETTEXT, "a，b\r\nfoo(1);\r\nx");
    ops().gotoPosition(ops().positionFromLine(1) + 2);
    editor.colourCaretLine();
    EXPECT_EQ(lineText(0),
              "a\xEF\xBC\x8C"
              "b");
    EXPECT_EQ(lineStyles(1), "5557876");
    EXPECT_EQ(lineStyles(2), "0");

    editor.colourLine(0);
    EXPECT_EQ(lineText(0), "a,b");
    EXPECT_EQ(lineStyles(0), "676");
    EXPECT_EQ(ops().getLineState(0), 5);  // its length with CR LF

    // An up-to-date line is left alone, even when asked directly.
    ops().startStyling(0, 31);
    ops().setStyling(3, 2);
    editor.colourLine(0);
    EXPECT_EQ(lineStyles(0), "222");
    editor.tokenizeBeforeCaret(0);  // does nothing at all
    EXPECT_EQ(boxText(), "a,b\r\nfoo(1);\r\nx");
}

}  // namespace
}  // namespace quillet
