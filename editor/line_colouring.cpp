#include <algorithm>
#include <string>
#include <vector>

#include "editor/line_image.h"
#include "editor/scintilla_messages.h"
#include "editor/syntax_editor.h"

namespace quillet {
namespace {

constexpr int kStyleMask = 31;

// One character of the line as the colouring leaves it: its style, and the
// ASCII character that replaces it when normalisation changed it.
struct CharLook {
    int style = 0;
    char replacement = 0;
};

// Lines the line's characters up with the normalised text. A character whose
// GBK bytes reappear unchanged keeps them; one that normalisation turned into
// one ASCII byte gets that byte as its replacement.
std::vector<CharLook> lookOfChars(const LineImage& image, const Text& normalised,
                                  const std::string& styles) {
    std::vector<CharLook> looks(image.pieces.size());
    std::size_t j = 0;
    for (std::size_t k = 0; k < image.pieces.size() && j < normalised.size(); ++k) {
        const auto& piece = image.pieces[k];
        const auto bytes = std::string_view(image.gbk).substr(
            static_cast<std::size_t>(piece.gbkStart), static_cast<std::size_t>(piece.gbkLength));
        looks[k].style = static_cast<unsigned char>(styles[j]);
        if (normalised.compare(j, bytes.size(), bytes) == 0) {
            j += bytes.size();
        } else {
            looks[k].replacement = normalised[j];
            j += 1;
        }
    }
    return looks;
}

struct Selection {
    int anchor;
    int caret;
};

// Where a position ends up once the replacements before it have shrunk.
int shifted(int position, int lineStart, const LineImage& image,
            const std::vector<CharLook>& looks) {
    int delta = 0;
    for (std::size_t k = 0; k < looks.size(); ++k) {
        const auto& piece = image.pieces[k];
        if (looks[k].replacement == 0) continue;
        if (position >= lineStart + piece.utf8Start + piece.utf8Length) {
            delta += piece.utf8Length - 1;
        } else if (position > lineStart + piece.utf8Start) {
            delta += position - (lineStart + piece.utf8Start) - 1;
        }
    }
    return position - delta;
}

// Writes what normalisation changed into the box as one undo action: only
// the replaced characters, so characters GBK lacks stay as they are. The
// selection stays on the same characters and the caret keeps its column.
void replaceChars(const CodeBox& b, int lineStart, const LineImage& image,
                  const std::vector<CharLook>& looks) {
    const Selection before{b.getAnchor(), b.getCaretPosition()};
    b.beginUndoAction();
    for (std::size_t k = looks.size(); k-- > 0;) {
        if (looks[k].replacement == 0) continue;
        const auto& piece = image.pieces[k];
        const int at = lineStart + piece.utf8Start;
        b.replaceRangeBytes(at, at + piece.utf8Length, std::string(1, looks[k].replacement));
    }
    b.endUndoAction();
    b.setSelection(shifted(before.anchor, lineStart, image, looks),
                   shifted(before.caret, lineStart, image, looks));
    b.chooseCaretX();
}

// One style per byte of the line as the box holds it.
std::string charStyles(const LineImage& image, const std::vector<CharLook>& looks, bool edited) {
    std::string styles;
    styles.reserve(image.utf8.size());
    for (std::size_t k = 0; k < looks.size(); ++k) {
        const bool replaced = edited && looks[k].replacement != 0;
        const int length = replaced ? 1 : image.pieces[k].utf8Length;
        styles.append(static_cast<std::size_t>(length), static_cast<char>(looks[k].style));
    }
    return styles;
}

void paint(const CodeBox& b, int lineStart, const std::string& styles) {
    if (styles.empty()) return;
    b.startStyling(lineStart, kStyleMask);
    b.setStylingEx(styles);
}

}  // namespace

void SyntaxEditor::noteModification(int position, int modificationType, int linesAdded) {
    // The colouring's own edits never move line ends; it restyles what it edits.
    if (busy) return;
    const bool insert = modificationType & sci::ModInsertText;
    const bool remove = modificationType & sci::ModDeleteText;
    if (!insert && !remove) return;
    const bool byUser = !(modificationType & (sci::PerformedUndo | sci::PerformedRedo));
    const int line = box().lineFromPosition(position);
    if (insert) {
        changes_.inserted(line, linesAdded, byUser);
    } else {
        changes_.removed(line, -linesAdded, byUser);
    }
}

void SyntaxEditor::colourAllLines() {
    if (busy || composing_) return;
    busy = true;
    for (const auto& changed : changes_.take(box().getLineCount())) {
        recolourLine(changed.line, changed.byUser);
    }
    busy = false;
}

void SyntaxEditor::colourCaretLine() {
    const CodeBox b = box();
    colourLine(b.lineFromPosition(b.getCaretPosition()));
}

void SyntaxEditor::colourLine(int line) {
    if (busy || composing_) return;
    busy = true;
    const CodeBox b = box();
    const bool changed = changes_.contains(line);
    if (changed || b.getLineState(line) != b.lineLength(line)) {
        changes_.erase(line);
        recolourLine(line, true);
    }
    busy = false;
}

std::string SyntaxEditor::styleBytes(const Text& normalised) {
    TokenViews& tokens = lineTokens_;
    tokens.clear();
    cutLine(normalised, tokens);
    std::string styles;
    styles.reserve(normalised.size());
    for (std::size_t i = 1; i <= tokens.size(); ++i) {
        const int style = styleOf(static_cast<int>(i), tokens);
        styles.append(tokens[i - 1].size(), static_cast<char>(style));
    }
    return styles;
}

void SyntaxEditor::recolourLine(int line, bool normalise) {
    const CodeBox b = box();
    const int start = b.positionFromLine(line);
    const std::string utf8 = b.textRange(start, b.lineEndPosition(line));
    const LineImage image = makeLineImage(utf8);

    if (image.ascii) {
        // Nothing to normalise, and every byte is a character on both sides.
        paint(b, start, styleBytes(image.gbk));
        b.setLineState(line, b.lineLength(line));
        return;
    }
    Text text = image.gbk;
    normaliseLine(text);
    const std::string styles = styleBytes(text);
    if (!styles.empty()) {
        const std::vector<CharLook> looks = lookOfChars(image, text, styles);
        const bool edit = normalise && std::any_of(looks.begin(), looks.end(),
                                                   [](const CharLook& l) { return l.replacement; });
        if (edit) replaceChars(b, start, image, looks);
        paint(b, start, charStyles(image, looks, edit));
    }
    b.setLineState(line, b.lineLength(line));
}

}  // namespace quillet
