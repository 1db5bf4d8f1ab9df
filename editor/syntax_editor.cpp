#include "editor/syntax_editor.h"

namespace quillet {

void SyntaxEditor::destroy() {
    entries.clear();
    delimiterRegex.destroy();
    delimiterPattern.clear();
    blankRegex.destroy();
    blankPattern.clear();
    commentRegex.destroy();
    commentPattern.clear();
    quoteRegex.destroy();
    quotePattern.clear();
    stringRegex.destroy();
    numberRegex.destroy();
    lettersRegex.destroy();
    completionText.clear();
    memo_.clear();
}

SyntaxEditor SyntaxEditor::copy() const {
    // Entries and texts are values and copy deeply; each RegexObject copy
    // shares its engine objects, one more reference each.
    SyntaxEditor twin;
    twin.windowId = windowId;
    twin.controlId = controlId;
    twin.entries = entries;
    twin.delimiterRegex = delimiterRegex.copy();
    twin.delimiterPattern = delimiterPattern;
    twin.blankRegex = blankRegex.copy();
    twin.blankPattern = blankPattern;
    twin.commentRegex = commentRegex.copy();
    twin.commentPattern = commentPattern;
    twin.quoteRegex = quoteRegex.copy();
    twin.quotePattern = quotePattern;
    twin.stringRegex = stringRegex.copy();
    twin.numberRegex = numberRegex.copy();
    twin.lettersRegex = lettersRegex.copy();
    twin.ready = ready;
    twin.busy = busy;
    twin.completionText = completionText;
    return twin;
}

}  // namespace quillet
