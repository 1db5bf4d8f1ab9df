#include "editor/syntax_editor.h"

namespace quillet {

bool SyntaxEditor::isNumber(const Text& text) {
    return numberRegex.test(text);
}

bool SyntaxEditor::isBlank(const Text& text) {
    return blankRegex.test(text);
}

bool SyntaxEditor::isDelimiter(const Text& text) {
    return delimiterRegex.test(text);
}

bool SyntaxEditor::isComment(const Text& text) {
    return commentRegex.test(text);
}

bool SyntaxEditor::isString(const Text& text) {
    return stringRegex.test(text);
}

bool SyntaxEditor::isFollowedByParen(int index, const TokenList& tokens) {
    // The first later token that is a delimiter decides; others are passed over.
    const int count = static_cast<int>(tokens.size());
    for (int j = std::max(index + 1, 1); j <= count; ++j) {
        const Text& token = tokens[static_cast<std::size_t>(j - 1)];
        if (isDelimiter(token)) return token == "(";
    }
    return false;
}

}  // namespace quillet
