#include "editor/syntax_editor.h"
#include "support/box_fixture.h"
#include "text/gbk_literal.h"

namespace quillet {
namespace {

TEST(EditorObject, ConstructedStateBeforeAttach) {
    SyntaxEditor e;
    EXPECT_TRUE(e.entries.empty());
    EXPECT_EQ(e.windowId, 0);
    EXPECT_FALSE(e.controlId.bound());
    for (const Text* t : {&e.delimiterPattern, &e.blankPattern, &e.commentPattern, &e.quotePattern,
                          &e.completionText})
        EXPECT_TRUE(t->empty());
    for (RegexObject* r : {&e.delimiterRegex, &e.blankRegex, &e.commentRegex, &e.quoteRegex,
                           &e.stringRegex, &e.numberRegex, &e.lettersRegex})
        EXPECT_TRUE(r->regExp().empty());
    EXPECT_FALSE(e.ready);
    EXPECT_FALSE(e.busy);
    // Tests before attach answer false; text access on no box is empty.
    EXPECT_FALSE(e.isBlank(""));
    EXPECT_FALSE(e.isDelimiter(" "));
    EXPECT_EQ(e.getText(), "");
    EXPECT_TRUE(e.alwaysTrue(1, 2));
}

using EditorCopy = testing::BoxFixture;

TEST_F(EditorCopy, CopyIsDeepAndSharesEngines) {
    ASSERT_TRUE(editor.addEntry(gbk("代码")));
    ASSERT_TRUE(editor.addEntry("abc"));
    {
        SyntaxEditor twin = editor.copy();
        EXPECT_EQ(twin.entries, editor.entries);
        EXPECT_EQ(twin.controlId, editor.controlId);
        EXPECT_EQ(twin.delimiterPattern, editor.delimiterPattern);
        EXPECT_TRUE(twin.ready);
        EXPECT_TRUE(twin.delimiterRegex.regExp().sameObject(editor.delimiterRegex.regExp()));
        EXPECT_EQ(editor.delimiterRegex.regExp().useCount(), 2);
        twin.entries[0].word = "changed";
        EXPECT_NE(editor.entries[0].word, "changed");
        twin.destroy();
        EXPECT_TRUE(twin.entries.empty());
        EXPECT_TRUE(twin.delimiterRegex.regExp().empty());
    }
    // The source is untouched by the copy's destruction.
    EXPECT_EQ(editor.delimiterRegex.regExp().useCount(), 1);
    ASSERT_EQ(editor.entries.size(), 2u);
    EXPECT_EQ(editor.entries[0].initials, "dm");
    EXPECT_TRUE(editor.isDelimiter(" "));
    EXPECT_TRUE(editor.addEntry("xyz"));
}

TEST_F(EditorCopy, DestroyReleasesEverything) {
    ASSERT_TRUE(editor.addEntry("abc"));
    editor.destroy();
    EXPECT_TRUE(editor.entries.empty());
    EXPECT_TRUE(editor.delimiterPattern.empty());
    EXPECT_FALSE(editor.isDelimiter(" "));
}

}  // namespace
}  // namespace quillet
