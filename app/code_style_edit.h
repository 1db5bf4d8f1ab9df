#pragma once

#include <Qsci/qsciscintillabase.h>

#include "editor/code_box.h"

namespace quillet {

class SyntaxEditor;

// The code edit box: a bare engine (no lexer) whose update notification is
// its event 0, and whose edits and input-method state are reported to the
// syntax editor that drives it.
class CodeStyleEdit : public QsciScintillaBase {
    Q_OBJECT
    Q_PROPERTY(bool utf8 READ isUtf8 WRITE setUtf8)

  public:
    explicit CodeStyleEdit(QWidget* parent = nullptr);

    // The direct-call entry through which the syntax editor drives this box.
    BoxId boxId() const { return boxId_; }

    bool isUtf8() const;
    void setUtf8(bool on);

    // The editor told of every edit and composition; nullptr stops it.
    void reportTo(SyntaxEditor* editor) { editor_ = editor; }

  signals:
    // Text, styling or selection changed. Raised from inside the box's paint.
    void updated();

  protected:
    void inputMethodEvent(QInputMethodEvent* event) override;

  private:
    BoxId boxId_;
    SyntaxEditor* editor_ = nullptr;  // not owned
};

}  // namespace quillet
