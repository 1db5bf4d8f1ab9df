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

// Style of every byte of the normalised line, from its runs.
std::string runStyles(const std::vector<StyleRun>& runs) {
    std::string styles;
    for (const auto& run : runs) styles.append(run.text.size(), static_cast<char>(run.style));
    return styles;
}

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

void SyntaxEditor::recolourLine(int line, bool normalise) {
    const CodeBox b = box();
    const int start = b.positionFromLine(line);
    const int end = b.lineEndPosition(line);
    const std::string utf8 = b.textRange(start, end);
    const LineImage image = makeLineImage(utf8);

    Text text = image.gbk;
    TokenList tokens;
    std::vector<StyleRun> runs;
    tokenizeLine(text, tokens);
    classifyTokens(tokens, runs);
    if (tokens.empty()) {
        b.setLineState(line, b.lineLength(line));
        return;
    }

    const std::vector<CharLook> looks = lookOfChars(image, text, runStyles(runs));
    bool edits = false;
    for (const auto& look : looks) edits = edits || look.replacement != 0;
    edits = edits && normalise;

    if (edits) {
        const Selection before{b.getAnchor(), b.getCaretPosition()};
        b.beginUndoAction();
        for (std::size_t k = looks.size(); k-- > 0;) {
            if (looks[k].replacement == 0) continue;
            const auto& piece = image.pieces[k];
            const int at = start + piece.utf8Start;
            b.replaceRangeBytes(at, at + piece.utf8Length, std::string(1, looks[k].replacement));
        }
        b.endUndoAction();
        b.setSelection(shifted(before.anchor, start, image, looks),
                       shifted(before.caret, start, image, looks));
        b.chooseCaretX();
    }

    std::string styles;
    styles.reserve(utf8.size());
    for (std::size_t k = 0; k < looks.size(); ++k) {
        const bool replaced = edits && looks[k].replacement != 0;
        const int length = replaced ? 1 : image.pieces[k].utf8Length;
        styles.append(static_cast<std::size_t>(length), static_cast<char>(looks[k].style));
    }
    b.startStyling(start, kStyleMask);
    b.setStylingEx(styles);
    b.setLineState(line, b.lineLength(line));
}

}  // namespace quillet
