#include "support/main_window_fixture.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include "app/globals.h"
#include "app/new_project_window.h"
#include "app/start_up.h"

namespace quillet::testing {

void MainWindowFixture::SetUp() {
    editor = std::make_unique<SyntaxEditor>();
    window = std::make_unique<MainWindow>();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

void MainWindowFixture::TearDown() {
    window.reset();
    tearDown();
}

void MainWindowFixture::newProject(const QString& path, const std::optional<QString>& name) {
    QTimer::singleShot(0, [&] {
        auto* open = qobject_cast<NewProjectWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(open, nullptr);
        if (!name) {
            open->close();
            return;
        }
        open->controls().编辑框_工程路径->setText(path);
        open->controls().编辑框_名称->setText(*name);
        open->controls().按钮2->click();
    });
    window->controls().菜单项_新建工程->trigger();
}

}  // namespace quillet::testing
