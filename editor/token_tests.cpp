#include <algorithm>

#include "editor/syntax_editor.h"

namespace quillet {

bool SyntaxEditor::isNumber(const Text& text) {
    return ask(TokenTest::Number, text);
}

bool SyntaxEditor::isBlank(const Text& text) {
    return blankRegex.test(text);
}

bool SyntaxEditor::isDelimiter(const Text& text) {
    return ask(TokenTest::Delimiter, text);
}

bool SyntaxEditor::isComment(const Text& text) {
    return ask(TokenTest::Comment, text);
}

bool SyntaxEditor::isString(const Text& text) {
    return ask(TokenTest::String, text);
}

bool SyntaxEditor::isFollowedByParen(int index, const TokenList& tokens) {
    return followedByParen(index, TokenViews(tokens.begin(), tokens.end()));
}

bool SyntaxEditor::followedByParen(int index, const TokenViews& tokens) {
    // The first later token that is a delimiter decides; others are passed over.
    const int count = static_cast<int>(tokens.size());
    for (int j = std::max(index + 1, 1); j <= count; ++j) {
        const std::string_view token = tokens[static_cast<std::size_t>(j - 1)];
        if (ask(TokenTest::Delimiter, token)) return token == "(";
    }
    return false;
}

RegexObject& SyntaxEditor::regexFor(TokenTest test) {
    switch (test) {
        case TokenTest::Comment:
            return commentRegex;
        case TokenTest::String:
            return stringRegex;
        case TokenTest::Delimiter:
            return delimiterRegex;
        case TokenTest::Number:
            break;
    }
    return numberRegex;
}

// The pattern's own answer, asked once and kept in the text's answers.
void SyntaxEditor::learn(TokenTest test, std::string_view text, std::uint8_t& answers) {
    const unsigned known = 1u << (2 * static_cast<unsigned>(test));
    const bool answer = regexFor(test).test(Text(text));
    answers = static_cast<std::uint8_t>(answers | known | (answer ? known << 1 : 0));
}

}  // namespace quillet
