#include "editor/code_box.h"

#include <algorithm>
#include <string>

#include "editor/scintilla_messages.h"
#include "text/encoding.h"

namespace quillet {
namespace {

std::intptr_t ptr(const char* text) {
    return reinterpret_cast<std::intptr_t>(text);
}

// A character's width follows the byte at its start.
int utf8Width(unsigned char lead) {
    if (lead < 0xC0) return 1;
    if (lead < 0xE0) return 2;
    if (lead < 0xF0) return 3;
    return 4;
}

}  // namespace

std::intptr_t CodeBox::send(unsigned int message, std::uintptr_t wParam,
                            std::intptr_t lParam) const {
    if (!id_.bound()) return 0;
    return id_.function(id_.instance, message, wParam, lParam);
}

std::string CodeBox::getLineText(int line) const {
    if (line < 0) return {};
    const int length = lineLength(line);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length), '\0');
    send(sci::GetLine, static_cast<std::uintptr_t>(line), ptr(text.data()));
    return text;
}

void CodeBox::replaceSelection(std::string_view text) const {
    const std::string terminated(text);
    send(sci::ReplaceSel, 0, ptr(terminated.c_str()));
}

void CodeBox::addText(std::string_view text, int length) const {
    if (length < -1) return;
    const int whole = static_cast<int>(text.size());
    const int n = (length == -1 || length > whole) ? whole : length;
    send(sci::AddText, static_cast<std::uintptr_t>(n), ptr(text.data()));
}

void CodeBox::insertTextAt(int position, std::string_view text) const {
    const std::string terminated(text);
    send(sci::InsertText, static_cast<std::uintptr_t>(position), ptr(terminated.c_str()));
}

int CodeBox::getLineCount() const {
    return static_cast<int>(send(sci::GetLineCount));
}

void CodeBox::setSelection(int anchor, int caret) const {
    if (anchor < 0) return;
    send(sci::SetSel, static_cast<std::uintptr_t>(anchor), caret);
}

void CodeBox::gotoPosition(int position) const {
    if (position < 0) return;
    send(sci::GotoPos, static_cast<std::uintptr_t>(position));
}

int CodeBox::getCaretPosition() const {
    return static_cast<int>(send(sci::GetCurrentPos));
}

int CodeBox::lineFromPosition(int position) const {
    if (position < 0) return 0;
    return static_cast<int>(send(sci::LineFromPosition, static_cast<std::uintptr_t>(position)));
}

int CodeBox::positionFromLine(int line) const {
    if (line < 0) return 0;
    return static_cast<int>(send(sci::PositionFromLine, static_cast<std::uintptr_t>(line)));
}

int CodeBox::lineEndPosition(int line) const {
    if (line < 0) return 0;
    return static_cast<int>(send(sci::GetLineEndPosition, static_cast<std::uintptr_t>(line)));
}

int CodeBox::lineLength(int line) const {
    if (line < 0) return 0;
    return static_cast<int>(send(sci::LineLength, static_cast<std::uintptr_t>(line)));
}

void CodeBox::setMarginType(int margin, int type) const {
    send(sci::SetMarginTypeN, static_cast<std::uintptr_t>(margin), type);
}

void CodeBox::setMarginWidth(int margin, int width) const {
    send(sci::SetMarginWidthN, static_cast<std::uintptr_t>(margin), width);
}

void CodeBox::setLeftMargin(int width) const {
    send(sci::SetMarginLeft, 0, width);
}

void CodeBox::setRightMargin(int width) const {
    send(sci::SetMarginRight, 0, width);
}

void CodeBox::setStyleFont(int style, std::string_view fontName) const {
    // This box takes font names in UTF-8, where the original one took the
    // ANSI code page: converting here is what keeps the name unchanged.
    const ByteSet utf8 = ansiToUtf8(Text(fontName));
    send(sci::StyleSetFont, static_cast<std::uintptr_t>(style),
         ptr(reinterpret_cast<const char*>(utf8.data())));
}

void CodeBox::setStyleSize(int style, int points) const {
    send(sci::StyleSetSize, static_cast<std::uintptr_t>(style), points);
}

void CodeBox::setStyleFore(int style, int colour) const {
    send(sci::StyleSetFore, static_cast<std::uintptr_t>(style), colour);
}

void CodeBox::setStyleBack(int style, int colour) const {
    send(sci::StyleSetBack, static_cast<std::uintptr_t>(style), colour);
}

void CodeBox::startStyling(int position, int mask) const {
    send(sci::StartStyling, static_cast<std::uintptr_t>(position), mask);
}

void CodeBox::setStyling(int length, int style) const {
    send(sci::SetStyling, static_cast<std::uintptr_t>(length), style);
}

void CodeBox::setLineState(int line, int state) const {
    send(sci::SetLineState, static_cast<std::uintptr_t>(line), state);
}

int CodeBox::getLineState(int line) const {
    return static_cast<int>(send(sci::GetLineState, static_cast<std::uintptr_t>(line)));
}

int CodeBox::charIndexToPosition(int index) const {
    const int length = textLength();
    if (index > length) return 0;
    int position = 0;
    int start = 0;
    for (int walked = 0; walked <= index; ++walked) {
        start = position;
        position += charWidthAt(position);
    }
    return start;
}

int CodeBox::positionToCharIndex(int position) const {
    const int length = textLength();
    if (position > length) return 0;
    int count = 0;
    for (int at = 0; at <= position; at += charWidthAt(at)) ++count;
    return count - 1;
}

void CodeBox::setUtf8Mode(bool on) const {
    send(sci::SetCodePage, on ? 65001 : 0);
}

int CodeBox::textLength() const {
    return static_cast<int>(send(sci::GetLength));
}

std::string CodeBox::textRange(int start, int end) const {
    if (start < 0 || end <= start) return {};
    const auto* bytes = reinterpret_cast<const char*>(
        send(sci::GetRangePointer, static_cast<std::uintptr_t>(start), end - start));
    return bytes ? std::string(bytes, static_cast<std::size_t>(end - start)) : std::string();
}

int CodeBox::getAnchor() const {
    return static_cast<int>(send(sci::GetAnchor));
}

void CodeBox::replaceRangeBytes(int start, int end, std::string_view text) const {
    send(sci::SetTargetStart, static_cast<std::uintptr_t>(start));
    send(sci::SetTargetEnd, static_cast<std::uintptr_t>(end));
    send(sci::ReplaceTarget, text.size(), ptr(text.data()));
}

void CodeBox::setStylingEx(std::string_view styles) const {
    send(sci::SetStylingEx, styles.size(), ptr(styles.data()));
}

void CodeBox::beginUndoAction() const {
    send(sci::BeginUndoAction);
}

void CodeBox::endUndoAction() const {
    send(sci::EndUndoAction);
}

void CodeBox::chooseCaretX() const {
    send(sci::ChooseCaretX);
}

int CodeBox::charWidthAt(int position) const {
    // Past the end the engine answers 0, which counts one byte.
    const auto lead =
        static_cast<unsigned char>(send(sci::GetCharAt, static_cast<std::uintptr_t>(position)));
    return utf8Width(lead);
}

}  // namespace quillet
