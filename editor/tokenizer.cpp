#include <array>
#include <string_view>

#include "editor/syntax_editor.h"
#include "text/char_cells.h"
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
    for (const auto& r : kPunctuation) line = replaceGbk(line, r.from, r.to);
    removeCrLf(line);

    if (isComment(line)) {
        tokens.push_back(line);
        return;
    }

    const ByteSet cells = toCharCells(line);
    bool inString = false;
    Text pending;
    for (int i = 1;; ++i) {
        const Text ch = midChars(cells, i);
        if (ch.empty()) break;
        if (ch == "\"") inString = !inString;
        if (inString) {
            pending += ch;
        } else if (isDelimiter(ch)) {
            if (!pending.empty()) tokens.push_back(std::move(pending));
            pending.clear();
            tokens.push_back(ch);
        } else {
            pending += ch;
        }
    }
    if (!pending.empty()) tokens.push_back(std::move(pending));
}

}  // namespace quillet
