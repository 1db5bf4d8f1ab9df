#include "app/code_style_edit.h"

#include <QInputMethodEvent>

#include "editor/scintilla_messages.h"
#include "editor/syntax_editor.h"

namespace quillet {

namespace {

// SendScintilla's overloads are ambiguous for plain integers.
long sendTo(const QsciScintillaBase& box, unsigned int message, unsigned long wParam = 0,
            long lParam = 0) {
    return box.SendScintilla(message, wParam, lParam);
}

}  // namespace

CodeStyleEdit::CodeStyleEdit(QWidget* parent) : QsciScintillaBase(parent) {
    boxId_.function = reinterpret_cast<DirectFunction>(sendTo(*this, sci::GetDirectFunction));
    boxId_.instance = static_cast<std::intptr_t>(sendTo(*this, sci::GetDirectPointer));

    // Only edits of the text concern the editor; restyling a line must not
    // come back as a notification.
    sendTo(*this, SCI_SETMODEVENTMASK,
           SC_MOD_INSERTTEXT | SC_MOD_DELETETEXT | SC_PERFORMED_USER | SC_PERFORMED_UNDO |
               SC_PERFORMED_REDO | SC_MULTISTEPUNDOREDO | SC_LASTSTEPINUNDOREDO);

    connect(this, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int) { emit updated(); });
    connect(
        this, &QsciScintillaBase::SCN_MODIFIED, this,
        [this](int position, int type, const char*, int, int linesAdded, int, int, int, int, int) {
            if (editor_) editor_->noteModification(position, type, linesAdded);
        });
}

bool CodeStyleEdit::isUtf8() const {
    return sendTo(*this, SCI_GETCODEPAGE) == SC_CP_UTF8;
}

void CodeStyleEdit::setUtf8(bool on) {
    sendTo(*this, SCI_SETCODEPAGE, on ? SC_CP_UTF8 : 0);
}

void CodeStyleEdit::inputMethodEvent(QInputMethodEvent* event) {
    // While a composition is open its preedit sits in the document as
    // tentative text; the editor must leave the document alone until commit.
    if (editor_) editor_->setComposing(!event->preeditString().isEmpty());
    QsciScintillaBase::inputMethodEvent(event);
}

}  // namespace quillet
