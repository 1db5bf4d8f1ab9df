#include <algorithm>
#include <array>
#include <string_view>

#include "editor/syntax_editor.h"
#include "text/gbk_search.h"

namespace quillet {
namespace {

struct Replacement {
    std::string_view from;  // GBK
    std::string_view to;
};

// Full-width punctuation that typing Chinese produces, and its ASCII form.
constexpr std::array<Replacement, 6> kPunctuation{{
    {"\xA1\xB0", "\""},  // “
    {"\xA1\xB1", "\""},  // ”
    {"\xA3\xAC", ","},   // ，
    {"\xA3\xBB", ";"},   // ；
    {"\xA3\xA8", "("},   // （
    {"\xA3\xA9", ")"},   // ）
}};

void removeCrLf(Text& line) {
    Text out;
    out.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\r' && i + 1 < line.size() && line[i + 1] == '\n') {
            ++i;
            continue;
        }
        out.push_back(line[i]);
    }
    line = std::move(out);
}

}  // namespace

void SyntaxEditor::tokenizeLine(Text& line, TokenList& tokens) {
    tokens.clear();
    normaliseLine(line);
    TokenViews views;
    cutLine(line, views);
    tokens.assign(views.begin(), views.end());
}

void SyntaxEditor::normaliseLine(Text& line) {
    // Every replaced character is double-byte: a line of ASCII has none.
    const bool ascii = std::all_of(line.begin(), line.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    for (const auto& r : kPunctuation) {
        if (!ascii && line.find(r.from) != Text::npos) line = replaceGbk(line, r.from, r.to);
    }
    if (line.find("\r\n") != Text::npos) removeCrLf(line);
}

// A comment line is one token; any other line is cut at delimiter
// characters, walking it one character at a time as its cells give them,
// with double-quoted sections kept whole.
void SyntaxEditor::cutLine(std::string_view line, TokenViews& tokens) {
    if (ask(TokenTest::Comment, line)) {
        tokens.push_back(line);
        return;
    }
    bool inString = false;
    std::size_t pending = 0;  // where the run of characters not yet a token starts
    std::size_t at = 0;
    while (at < line.size()) {
        const bool doubleByte =
            static_cast<unsigned char>(line[at]) >= 0x80 && at + 1 < line.size();
        const std::string_view ch = line.substr(at, doubleByte ? 2 : 1);
        if (ch == "\"") inString = !inString;
        if (!inString && ask(TokenTest::Delimiter, ch)) {
            if (pending < at) tokens.push_back(line.substr(pending, at - pending));
            tokens.push_back(ch);
            pending = at + ch.size();
        }
        at += ch.size();
    }
    if (pending < line.size()) tokens.push_back(line.substr(pending));
}

}  // namespace quillet
