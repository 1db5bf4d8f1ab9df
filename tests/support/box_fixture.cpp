#include "support/box_fixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "editor/scintilla_messages.h"

namespace quillet::testing {

void BoxFixture::SetUp() {
    box = std::make_unique<CodeStyleEdit>();
    box->resize(600, 400);
    box->reportTo(&editor);
    QObject::connect(box.get(), &CodeStyleEdit::updated, box.get(), [this] {
        QMetaObject::invokeMethod(
            box.get(), [this] { editor.colourAllLines(); }, Qt::QueuedConnection);
    });
    box->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
    editor.attach(1, box->boxId());
    box->setFocus();
    settle();
}

void BoxFixture::TearDown() {
    box->reportTo(nullptr);
    box.reset();
}

void BoxFixture::settle() {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        box->viewport()->repaint();
        QApplication::processEvents();
    }
}

void BoxFixture::type(const QString& text) {
    for (char32_t c : text.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, one);
        QApplication::sendEvent(box.get(), &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, one);
        QApplication::sendEvent(box.get(), &release);
        settle();
    }
}

std::string BoxFixture::boxText() const {
    const CodeBox b = ops();
    return b.textRange(0, b.textLength());
}

std::string BoxFixture::lineText(int line) const {
    const CodeBox b = ops();
    return b.textRange(b.positionFromLine(line), b.lineEndPosition(line));
}

std::string BoxFixture::lineStyles(int line) const {
    const CodeBox b = ops();
    std::string styles;
    for (int p = b.positionFromLine(line); p < b.lineEndPosition(line); ++p) {
        styles.push_back(
            static_cast<char>('0' + b.send(sci::GetStyleAt, static_cast<std::uintptr_t>(p))));
    }
    return styles;
}

void BoxFixture::setText(const std::string& utf8) {
    box->SendScintilla(QsciScintillaBase::SCI_SETTEXT, utf8.c_str());
    settle();
}

}  // namespace quillet::testing
