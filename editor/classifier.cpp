#include "editor/syntax_editor.h"

namespace quillet {

// Style numbers the classifier gives.
enum TokenStyle { kString = 3, kComment = 4, kCall = 5, kOther = 6, kDelimiter = 7, kNumber = 8 };

void SyntaxEditor::classifyTokens(const TokenList& tokens, std::vector<StyleRun>& runs) {
    for (std::size_t i = 1; i <= tokens.size(); ++i) {
        const Text& t = tokens[i - 1];
        int style = kOther;
        if (isComment(t)) {
            style = kComment;
        } else if (isString(t)) {
            style = kString;
        } else if (isDelimiter(t)) {
            style = kDelimiter;
        } else if (isFollowedByParen(static_cast<int>(i), tokens)) {
            style = kCall;
        } else if (isNumber(t)) {
            style = kNumber;
        }
        runs.push_back({t, style});
    }
}

}  // namespace quillet
