#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillet {

// The engine's direct-call entry: one function and the instance it drives,
// as SCI_GETDIRECTFUNCTION and SCI_GETDIRECTPOINTER hand them out.
using DirectFunction = std::intptr_t (*)(std::intptr_t instance, unsigned int message,
                                         std::uintptr_t wParam, std::intptr_t lParam);

struct BoxId {
    DirectFunction function = nullptr;
    std::intptr_t instance = 0;

    bool bound() const { return function != nullptr && instance != 0; }
    bool operator==(const BoxId&) const = default;
};

// The code edit box operations: each one engine message. Positions are byte
// offsets into the box's UTF-8 text, lines count from 0. Before the box is
// bound every operation does nothing and answers 0 or the empty text.
class CodeBox {
  public:
    CodeBox() = default;
    explicit CodeBox(BoxId id) : id_(id) {}

    BoxId id() const { return id_; }

    std::string getLineText(int line) const;  // raw UTF-8 bytes, line end included
    void replaceSelection(std::string_view text) const;
    void addText(std::string_view text, int length) const;
    void insertTextAt(int position, std::string_view text) const;
    int getLineCount() const;
    void setSelection(int anchor, int caret) const;
    void gotoPosition(int position) const;
    int getCaretPosition() const;
    int lineFromPosition(int position) const;
    int positionFromLine(int line) const;
    int lineEndPosition(int line) const;
    int lineLength(int line) const;
    void setMarginType(int margin, int type) const;
    void setMarginWidth(int margin, int width) const;
    void setLeftMargin(int width) const;
    void setRightMargin(int width) const;
    void setStyleFont(int style, std::string_view fontName) const;  // name in GBK
    void setStyleSize(int style, int points) const;
    void setStyleFore(int style, int colour) const;
    void setStyleBack(int style, int colour) const;
    void startStyling(int position, int mask) const;
    void setStyling(int length, int style) const;
    void setLineState(int line, int state) const;
    int getLineState(int line) const;
    int charIndexToPosition(int index) const;
    int positionToCharIndex(int position) const;
    void setUtf8Mode(bool on) const;

    // Plumbing beyond the table, for the colouring's narrow edits.
    int textLength() const;
    std::string textRange(int start, int end) const;
    int getAnchor() const;
    void replaceRangeBytes(int start, int end, std::string_view text) const;
    void setStylingEx(std::string_view styles) const;
    void beginUndoAction() const;
    void endUndoAction() const;
    void chooseCaretX() const;

    std::intptr_t send(unsigned int message, std::uintptr_t wParam = 0,
                       std::intptr_t lParam = 0) const;

  private:
    int charWidthAt(int position) const;

    BoxId id_;
};

}  // namespace quillet
