// Random editing against the colouring: after every update each line carries
// the classifier's styles, user edits are normalised, colouring never changes
// the number of lines, and the caret stays on a character boundary.
#include <QString>
#include <random>

#include "support/box_fixture.h"
#include "text/encoding.h"
#include "text/gbk_literal.h"

namespace quillet {
namespace {

const std::vector<std::string> kFullWidth = {"“", "”", "，", "；", "（", "）"};
const std::vector<std::string> kAscii = {"\"", "\"", ",", ";", "(", ")"};

std::vector<std::string> utf8Chars(const std::string& s) {
    std::vector<std::string> chars;
    for (std::size_t i = 0; i < s.size();) {
        const auto lead = static_cast<unsigned char>(s[i]);
        const std::size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        chars.push_back(s.substr(i, n));
        i += n;
    }
    return chars;
}

std::string normalisedChar(const std::string& c) {
    for (std::size_t k = 0; k < kFullWidth.size(); ++k)
        if (c == kFullWidth[k]) return kAscii[k];
    return c;
}

class ColouringProperty : public testing::BoxFixture {
  protected:
    // The styles a line must carry: its characters, normalised, through the
    // tokenizer and classifier of a separate editor, one style per character.
    std::string expectedStyles(const std::string& utf8Line) {
        const auto chars = utf8Chars(utf8Line);
        Text normalised;
        std::vector<std::size_t> gbkStart;
        for (const auto& c : chars) {
            gbkStart.push_back(normalised.size());
            normalised += gbk(normalisedChar(c));
        }
        Text line = normalised;
        TokenList tokens;
        std::vector<StyleRun> runs;
        oracle.tokenizeLine(line, tokens);
        oracle.classifyTokens(tokens, runs);
        std::string byteStyles;
        for (const auto& r : runs)
            byteStyles.append(r.text.size(), static_cast<char>('0' + r.style));
        std::string styles;
        for (std::size_t k = 0; k < chars.size(); ++k)
            styles.append(chars[k].size(), byteStyles.at(gbkStart[k]));
        return styles;
    }

    void checkInvariants(bool userEditsOnly, const std::string& step) {
        const CodeBox b = ops();
        const int lines = b.getLineCount();
        for (int line = 0; line < lines; ++line) {
            const std::string text = lineText(line);
            for (const auto& fw : kFullWidth) {
                if (userEditsOnly) {
                    ASSERT_EQ(text.find(fw), std::string::npos) << step << " line " << line;
                }
            }
            ASSERT_EQ(lineStyles(line), expectedStyles(text)) << step << " line " << line;
        }
        const int caret = b.getCaretPosition();
        ASSERT_GE(caret, 0);
        ASSERT_LE(caret, b.textLength());
        if (caret < b.textLength()) {
            ASSERT_NE(b.textRange(caret, caret + 1)[0] & 0xC0, 0x80) << step;
        }
    }

    void run(unsigned seed, int steps, bool withUndo) {
        std::mt19937 random(seed);
        auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        const QStringList pieces = {"a",  "x1", " ",  "(",  ")",  "foo(",  "\"",  "12.5", "//",
                                    "中", "文", "，", "；", "（", "）",    "“",   "”",    "≠",
                                    "=",  "*",  "/",  "$v", "\t", "echo ", "说。"};
        const std::vector<std::string> pastes = {"a，b\r\nfoo（1）；\r\n", "x\r\n\r\n“s”",
                                                 "/* c\r\n * d\r\n */\r\n"};
        for (int step = 0; step < steps; ++step) {
            const CodeBox b = ops();
            const int op = pick(withUndo ? 9 : 7);
            std::string what;
            if (op <= 2) {
                // Type at a random character boundary.
                const int chars = b.positionToCharIndex(b.textLength());
                b.gotoPosition(b.charIndexToPosition(pick(chars + 1)));
                const QString text = pieces[pick(static_cast<int>(pieces.size()))];
                what = "type " + text.toStdString();
                type(text);
            } else if (op == 3) {
                what = "backspace";
                box->SendScintilla(QsciScintillaBase::SCI_DELETEBACK);
            } else if (op == 4) {
                const int length = b.textLength();
                const int from = b.charIndexToPosition(pick(b.positionToCharIndex(length) + 1));
                const int to = b.charIndexToPosition(pick(b.positionToCharIndex(length) + 1));
                b.setSelection(std::min(from, to), std::max(from, to));
                what = "clear selection";
                box->SendScintilla(QsciScintillaBase::SCI_CLEAR);
            } else if (op <= 6) {
                what = "paste";
                b.replaceSelection(pastes[static_cast<std::size_t>(pick(3))]);
            } else if (op == 7) {
                what = "undo";
                box->SendScintilla(QsciScintillaBase::SCI_UNDO);
            } else {
                what = "redo";
                box->SendScintilla(QsciScintillaBase::SCI_REDO);
            }
            const int linesBefore = b.getLineCount();
            settle();
            ASSERT_EQ(b.getLineCount(), linesBefore) << "step " << step << ": " << what;
            checkInvariants(!withUndo, "step " + std::to_string(step) + ": " + what);
        }
    }

    void SetUp() override {
        BoxFixture::SetUp();
        oracle.attach(0, BoxId{});
    }

    SyntaxEditor oracle;
};

TEST_F(ColouringProperty, RandomUserEdits) {
    for (unsigned seed : {1u, 2u, 3u}) run(seed, 120, false);
}

TEST_F(ColouringProperty, RandomEditsWithUndoAndRedo) {
    for (unsigned seed : {11u, 12u, 13u}) run(seed, 120, true);
}

}  // namespace
}  // namespace quillet
