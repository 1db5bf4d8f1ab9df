#include "app/start_up.h"

#include <QApplication>
#include <QFont>

#include "app/globals.h"
#include "app/main_window.h"

namespace quillet {

void mapChineseFonts() {
    QFont::insertSubstitutions(QStringLiteral("黑体"), {QStringLiteral("Noto Sans CJK SC"),
                                                        QStringLiteral("WenQuanYi Micro Hei")});
    QFont::insertSubstitutions(QStringLiteral("宋体"), {QStringLiteral("Noto Serif CJK SC"),
                                                        QStringLiteral("Noto Sans CJK SC"),
                                                        QStringLiteral("WenQuanYi Micro Hei")});
}

void tearDown() {
    if (editor) editor->destroy();
    editor.reset();
    sourceFileName.clear();
    debugDir.clear();
    projectIcons.reset();
}

int startUp(int argc, char** argv) {
    QApplication app(argc, argv);
    mapChineseFonts();
    editor = std::make_unique<SyntaxEditor>();
    qAddPostRoutine(tearDown);  // run by the application's destructor, once
    {
        MainWindow window;
        window.show();
        app.exec();
    }
    return 0;
}

}  // namespace quillet
