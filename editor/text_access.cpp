#include <algorithm>

#include "editor/syntax_editor.h"
#include "text/encoding.h"

namespace quillet {

Text SyntaxEditor::getText() const {
    const CodeBox b = box();
    Text whole;
    const int lines = b.getLineCount();
    for (int i = 0; i < lines; ++i) {
        // Line by line, so a conversion never reaches into the next line.
        ByteSet line = textToBytes(b.getLineText(i));
        line.push_back(0);
        whole += utf8ToAnsi(line);
    }
    return whole;
}

void SyntaxEditor::replaceRange(const Text& text, int start, int end) {
    const Text utf8 = bytesToText(ansiToUtf8(text));
    const CodeBox b = box();
    b.setSelection(start, end);
    b.replaceSelection(utf8);
}

void SyntaxEditor::insertText(const Text& text, int position, bool atPosition) {
    if (text.empty()) return;
    ByteSet utf8 = ansiToUtf8(text);
    // A text that ends in CR LF loses exactly that one line end.
    const ByteSet crLfEnd{'\r', '\n', 0};
    if (utf8.size() >= 3 && std::equal(crLfEnd.begin(), crLfEnd.end(), utf8.end() - 3)) {
        utf8.resize(utf8.size() - 3);
    }
    const Text piece = bytesToText(utf8);
    if (atPosition) {
        box().insertTextAt(position, piece);
    } else {
        box().addText(piece, -1);
    }
}

int SyntaxEditor::findInBytes(const ByteSet& haystack, const Text& text, int& start,
                              int& end) const {
    ByteSet needle = ansiToUtf8(text);
    needle.pop_back();  // the closing zero byte
    start = -1;
    if (!needle.empty() && haystack.size() >= needle.size()) {
        auto at = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end());
        if (at != haystack.end()) start = static_cast<int>(at - haystack.begin()) + 1;
    }
    end = start + static_cast<int>(needle.size());
    return start;
}

}  // namespace quillet
