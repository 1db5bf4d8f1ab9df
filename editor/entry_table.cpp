#include "editor/syntax_editor.h"
#include "text/char_cells.h"
#include "text/encoding.h"
#include "text/pinyin.h"

namespace quillet {

Text SyntaxEditor::pinyinInitials(const Text& text) {
    const ByteSet cells = toCharCells(text);
    Text initials;
    for (int i = 1;; ++i) {
        const Text ch = midChars(cells, i);
        if (ch.empty()) break;
        const Text initial = initialOf(ch, 1);
        if (initial.empty()) {
            initials += ch;
        } else if (initial.size() > 1) {
            initials += "<" + initial + ">";
        } else {
            initials += initial;
        }
    }
    return lettersRegex.test(initials) ? initials : Text();
}

bool SyntaxEditor::addEntry(const Text& word, std::int32_t, std::int32_t) {
    Text initials = pinyinInitials(word);
    if (initials.empty()) return false;
    entries.push_back({bytesToText(ansiToUtf8(word)), std::move(initials), 0, 0});
    return true;
}

}  // namespace quillet
