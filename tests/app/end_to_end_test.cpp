// From a new project through typing a script and "生成" to running what was
// built, beside `php` on the same script.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "app/globals.h"
#include "app/main_window.h"
#include "app/new_project_window.h"
#include "app/start_up.h"
#include "support/main_window_fixture.h"
#include "support/temp_dir.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    std::string out;
    int status;
};

// Runs a command line in a folder and takes its standard output and status.
Outcome runIn(const fs::path& folder, const std::string& command) {
    const std::string line = "cd '" + folder.string() + "' && " + command;
    FILE* pipe = popen(line.c_str(), "r");
    Outcome o{"", -1};
    if (!pipe) return o;
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) o.out.append(buffer, n);
    const int status = pclose(pipe);
    o.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return o;
}

bool havePhp() {
    return runIn(".", "command -v php >/dev/null").status == 0;
}

class EndToEnd : public testing::MainWindowFixture {
  protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        box().setFocus();
        newProject(QString::fromStdString(dir.str() + "/"), "demo");
    }

    CodeStyleEdit& box() { return *window->controls().代码编辑框1; }
    fs::path debug() const { return dir.path() / "demo" / "Debug"; }
    QString debugText() const { return window->controls().编辑框_调试输出->toPlainText(); }

    // Types as the user does: one key event per character, Return for a line end.
    void type(const QString& text) {
        for (char32_t c : text.toUcs4()) {
            const bool enter = c == U'\n';
            const QString one = enter ? QStringLiteral("\r") : QString::fromUcs4(&c, 1);
            const int key = enter ? Qt::Key_Return : 0;
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, one);
            QApplication::sendEvent(&box(), &press);
            QApplication::processEvents();
            box().viewport()->repaint();
            QApplication::processEvents();
        }
    }

    testing::TempDir dir;
};

TEST_F(EndToEnd, TypeBuildAndRunLikePhp) {
    type(
        "<?php\n$n = $argc；\nfunction twice($x) { return 2 * $x; }\n"
        "echo \"n=\" . twice（$n），PHP_EOL；\nexit(3);\n");
    window->controls().菜单项_生成->trigger();

    const Text script = editor->getText();
    EXPECT_EQ(script.find("\xA3"), Text::npos) << "full-width punctuation was normalised";
    EXPECT_EQ(testing::readFile(debug() / "demo.php"), script);
    EXPECT_FALSE(fs::exists(debug() / "c.exe"));
    EXPECT_FALSE(fs::exists(debug() / "c.bat"));
    ASSERT_TRUE(fs::exists(debug() / "demo")) << debugText().toStdString();
    EXPECT_TRUE(debugText().contains("已生成可执行文件")) << debugText().toStdString();

    const Outcome built = runIn(debug(), "./demo a b 2>&1");
    EXPECT_EQ(built.out, "n=6\n");
    EXPECT_EQ(built.status, 3);
    if (!havePhp()) GTEST_SKIP() << "php is not installed";
    const Outcome php = runIn(debug(), "php demo.php a b 2>&1");
    EXPECT_EQ(built.out, php.out);
    EXPECT_EQ(built.status, php.status);
}

TEST_F(EndToEnd, SyntaxErrorIsShownAndNothingIsBuilt) {
    type("<?php\necho 1 +;\n");
    window->controls().菜单项_生成->trigger();
    EXPECT_FALSE(fs::exists(debug() / "demo"));
    EXPECT_TRUE(debugText().contains("line 2")) << debugText().toStdString();
    EXPECT_TRUE(debugText().contains("没有生成可执行文件")) << debugText().toStdString();
    EXPECT_FALSE(fs::exists(debug() / "c.exe"));
}

}  // namespace
}  // namespace quillet
