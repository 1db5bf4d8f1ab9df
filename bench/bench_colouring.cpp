// Colouring speed on a real box (offscreen):
//  (a) the first colouring of a large real-world PHP file,
//  (b) the same file styled by the box's own PHP lexer, and the ratio a/b,
//  (c) the colouring work of one keystroke near the start and the end of a
//      100,000-line document.
#include <QApplication>
#include <QKeyEvent>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/code_style_edit.h"
#include "app/start_up.h"
#include "editor/syntax_editor.h"

using namespace quillet;
using Clock = std::chrono::steady_clock;

namespace {

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// One box driven by its editor, coloured only when asked.
struct EditedBox {
    EditedBox() {
        box.resize(800, 600);
        box.reportTo(&editor);
        editor.attach(1, box.boxId());
    }
    ~EditedBox() { box.reportTo(nullptr); }
    void setText(const std::string& text) {
        box.SendScintilla(QsciScintillaBase::SCI_SETTEXT, text.c_str());
    }
    CodeStyleEdit box;
    SyntaxEditor editor;
};

double firstColouring(const std::string& text) {
    EditedBox b;
    b.setText(text);
    const auto start = Clock::now();
    b.editor.colourAllLines();
    return msSince(start);
}

double lexerStyling(const std::string& text, const char* language) {
    CodeStyleEdit box;
    box.SendScintilla(QsciScintillaBase::SCI_SETLEXERLANGUAGE, 0UL, language);
    if (box.SendScintilla(QsciScintillaBase::SCI_GETLEXER) == 0) return -1;
    box.SendScintilla(QsciScintillaBase::SCI_SETTEXT, text.c_str());
    const auto start = Clock::now();
    box.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, -1L);
    return msSince(start);
}

std::string bigDocument(int lines) {
    const char* shapes[] = {"    $total = compute($a, $b) + 12.5; // keep\r\n",
                            "    echo \"value: \" . $x[3];\r\n", "function name_%d($p) {\r\n",
                            "}\r\n"};
    std::string text;
    char line[128];
    for (int i = 0; i < lines; ++i) {
        std::snprintf(line, sizeof line, shapes[i % 4], i);
        text += line;
    }
    return text;
}

// Median colouring time after one typed character on the given line.
double keystroke(EditedBox& b, int line, const QString& key) {
    std::vector<double> samples;
    for (int i = 0; i < 25; ++i) {
        const long at = b.box.SendScintilla(QsciScintillaBase::SCI_GETLINEENDPOSITION, line);
        b.box.SendScintilla(QsciScintillaBase::SCI_GOTOPOS, at);
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, key);
        QApplication::sendEvent(&b.box, &press);
        const auto start = Clock::now();
        b.editor.colourAllLines();
        samples.push_back(msSince(start));
    }
    return median(samples);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    mapChineseFonts();
    const std::string path = argc > 1 ? argv[1] : QUILLET_SHARED_DIR "/corpus/php/tcpdf.php";
    // The box holds what the user typed on Windows: CR LF line ends.
    std::string text;
    for (char c : readFile(path)) {
        if (c == '\n' && (text.empty() || text.back() != '\r')) text += '\r';
        text += c;
    }
    if (text.empty()) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 1;
    }
    const auto lineCount = std::count(text.begin(), text.end(), '\n') + 1;

    std::vector<double> ours, lexer;
    const char* language = "hypertext";
    for (int i = 0; i < 5; ++i) {
        ours.push_back(firstColouring(text));
        lexer.push_back(lexerStyling(text, language));
    }
    const double a = median(ours), b = median(lexer);
    std::printf("file: %s (%zu bytes, %ld lines)\n", path.c_str(), text.size(), lineCount);
    std::printf("(a) first colouring, ours:          %8.1f ms (median of 5)\n", a);
    std::printf("(b) box's own \"%s\" lexer:    %8.1f ms (median of 5)\n", language, b);
    std::printf("    ratio a/b:                      %8.2f (goal <= 1.0)\n", a / b);

    EditedBox big;
    big.setText(bigDocument(100000));
    big.editor.colourAllLines();
    std::printf("(c) colouring per keystroke, 100,000 lines (median of 25):\n");
    for (int line : {10, 99990}) {
        std::printf("    line %5d, ASCII 'x':            %8.3f ms (goal <= 1 ms)\n", line,
                    keystroke(big, line, "x"));
        std::printf("    line %5d, full-width comma:     %8.3f ms\n", line,
                    keystroke(big, line, QStringLiteral("，")));
    }
    return 0;
}
