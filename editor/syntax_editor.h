#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "editor/code_box.h"
#include "editor/line_changes.h"
#include "editor/test_memo.h"
#include "text/regex_object.h"
#include "text/text_types.h"

namespace quillet {

// Colours are 0x00BBGGRR, as the code box takes them.
using Colour = std::int32_t;

struct EditorEntry {
    Text word;      // the word's UTF-8 bytes
    Text initials;  // its pinyin initials
    std::int32_t reserved1 = 0;
    std::int32_t reserved2 = 0;

    bool operator==(const EditorEntry&) const = default;
};

using TokenList = std::vector<Text>;

struct StyleRun {
    Text text;
    int style = 0;

    bool operator==(const StyleRun&) const = default;
};

// Drives one code edit box: colours its lines as they change, turning
// full-width punctuation into ASCII, and moves text across the GBK / UTF-8
// border. Fields and operations follow the object's fixed table order.
class SyntaxEditor {
  public:
    SyntaxEditor() = default;

    void destroy();
    SyntaxEditor copy() const;
    void attach(std::intptr_t windowId, BoxId controlId, std::optional<int> style1SizeIncrease = {},
                std::optional<Text> fontName = {}, std::optional<int> fontSize = {},
                std::optional<Colour> style2Fore = {}, std::optional<Colour> style2Back = {},
                std::optional<Colour> commentColour = {}, std::optional<Colour> stringColour = {},
                std::optional<Colour> delimiterColour = {});
    Text pinyinInitials(const Text& text);
    bool addEntry(const Text& word, std::int32_t = 0, std::int32_t = 0);
    bool alwaysTrue(std::int32_t = 0, std::int32_t = 0) const { return true; }
    void replaceRange(const Text& text, int start, int end);
    void insertText(const Text& text, int position, bool atPosition);
    void colourLine(int line);
    void classifyTokens(const TokenList& tokens, std::vector<StyleRun>& runs);
    void tokenizeLine(Text& line, TokenList& tokens);
    bool isNumber(const Text& text);
    bool isBlank(const Text& text);
    bool isDelimiter(const Text& text);
    bool isFollowedByParen(int index, const TokenList& tokens);
    bool isComment(const Text& text);
    bool isString(const Text& text);
    int findInBytes(const ByteSet& haystack, const Text& text, int& start, int& end) const;
    Text getText() const;
    void colourAllLines();
    void tokenizeBeforeCaret(std::int32_t) const {}
    void colourCaretLine();

    // What the box reports between colourings: edits of its text, and whether
    // an input method is composing (the document must not be touched then).
    void noteModification(int position, int modificationType, int linesAdded);
    void setComposing(bool composing) { composing_ = composing; }

    std::intptr_t windowId = 0;
    BoxId controlId;
    std::vector<EditorEntry> entries;
    RegexObject delimiterRegex;
    Text delimiterPattern;
    RegexObject blankRegex;
    Text blankPattern;
    RegexObject commentRegex;
    Text commentPattern;
    RegexObject quoteRegex;
    Text quotePattern;
    RegexObject stringRegex;
    RegexObject numberRegex;
    RegexObject lettersRegex;
    bool ready = false;
    bool busy = false;
    Text completionText;

  private:
    // The tokenizer and classifier work on views into the line; the public
    // operations above hand out copies of what these find.
    using TokenViews = std::vector<std::string_view>;
    void normaliseLine(Text& line);
    void cutLine(std::string_view line, TokenViews& tokens);
    int styleOf(int index, const TokenViews& tokens);
    std::string styleBytes(const Text& normalised);
    bool followedByParen(int index, const TokenViews& tokens);

    CodeBox box() const { return CodeBox(controlId); }
    void recolourLine(int line, bool normalise);
    RegexObject& regexFor(TokenTest test);
    bool ask(TokenTest test, std::string_view text);
    bool ask(TokenTest test, std::string_view text, std::uint8_t& answers);
    void learn(TokenTest test, std::string_view text, std::uint8_t& answers);

    TestMemo memo_;          // follows the patterns that attach creates
    TokenViews lineTokens_;  // reused from line to line
    LineChanges changes_;
    bool composing_ = false;
};

// Inline: the tokenizer asks once per character.
inline bool SyntaxEditor::ask(TokenTest test, std::string_view text, std::uint8_t& answers) {
    const unsigned known = 1u << (2 * static_cast<unsigned>(test));
    if (!(answers & known)) learn(test, text, answers);
    return answers & (known << 1);
}

inline bool SyntaxEditor::ask(TokenTest test, std::string_view text) {
    if (!TestMemo::remembers(text)) return regexFor(test).test(Text(text));
    return ask(test, text, memo_.answers(text));
}

}  // namespace quillet
