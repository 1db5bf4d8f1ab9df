#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <memory>
#include <string>

#include "app/code_style_edit.h"
#include "editor/syntax_editor.h"

namespace quillet::testing {

// A real code box, shown on the offscreen platform, driven by its own
// SyntaxEditor, and coloured after each update event as the main window does.
class BoxFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    CodeBox ops() const { return CodeBox(box->boxId()); }
    // Lets queued work run and the box repaint, so update events arrive.
    void settle();
    // Types characters one key event each; the box sees them as the user's.
    void type(const QString& text);
    // The box's whole text, as UTF-8.
    std::string boxText() const;
    // Style numbers of the bytes of a line's text, line end excluded.
    std::string lineStyles(int line) const;
    std::string lineText(int line) const;
    void setText(const std::string& utf8);

    std::unique_ptr<CodeStyleEdit> box;
    SyntaxEditor editor;
};

}  // namespace quillet::testing
