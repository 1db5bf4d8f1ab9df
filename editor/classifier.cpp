#include "editor/syntax_editor.h"

namespace quillet {

// Style numbers the classifier gives.
enum TokenStyle { kString = 3, kComment = 4, kCall = 5, kOther = 6, kDelimiter = 7, kNumber = 8 };

void SyntaxEditor::classifyTokens(const TokenList& tokens, std::vector<StyleRun>& runs) {
    const TokenViews views(tokens.begin(), tokens.end());
    runs.reserve(runs.size() + tokens.size());
    for (std::size_t i = 1; i <= tokens.size(); ++i) {
        runs.push_back({tokens[i - 1], styleOf(static_cast<int>(i), views)});
    }
}

// The first rule that token `index` (from 1) passes gives its style.
int SyntaxEditor::styleOf(int index, const TokenViews& tokens) {
    const std::string_view t = tokens[static_cast<std::size_t>(index - 1)];
    // One look-up serves the first three tests of a short token.
    std::uint8_t scratch = 0;
    std::uint8_t& answers = TestMemo::remembers(t) ? memo_.answers(t) : scratch;
    if (ask(TokenTest::Comment, t, answers)) return kComment;
    if (ask(TokenTest::String, t, answers)) return kString;
    if (ask(TokenTest::Delimiter, t, answers)) return kDelimiter;
    if (followedByParen(index, tokens)) return kCall;
    if (ask(TokenTest::Number, t)) return kNumber;
    return kOther;
}

}  // namespace quillet
