#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include "app/about_window.h"
#include "app/globals.h"
#include "app/main_window.h"
#include "app/settings_window.h"
#include "app/start_up.h"
#include "app/widget_geometry.h"
#include "support/main_window_fixture.h"

namespace quillet {
namespace {

class MainWindowTest : public testing::MainWindowFixture {
  protected:
    void resizeOuter(int w, int h) {
        setOuterSize(*window, {w, h});
        QApplication::processEvents();
    }
};

TEST_F(MainWindowTest, LayoutAtTheDefinedSize) {
    const auto& ui = window->controls();
    EXPECT_EQ(outerSize(*window), QSize(660, 398));
    EXPECT_EQ(window->windowTitle(), "Quillet");
    EXPECT_EQ(ui.代码编辑框1->geometry(), QRect(96, 0, 564, 239));
    EXPECT_EQ(ui.高级选择夹1->geometry(), QRect(0, 0, 96, 239));
    EXPECT_EQ(ui.高级选择夹2->geometry(), QRect(0, 239, 660, 109));
    EXPECT_EQ(ui.树型框_代码->geometry(), QRect(0, 8, 96, 209));
    EXPECT_EQ(ui.编辑框_调试输出->geometry(), QRect(19, 11, 630, 88));
}

TEST_F(MainWindowTest, LayoutFollowsEverySizeAndClamps) {
    const auto& ui = window->controls();
    struct Case {
        int w, h;
        QRect box, codeTabs, bottomTabs;
        int treeHeight;
    } cases[] = {
        {800, 600, {96, 0, 704, 441}, {0, 0, 96, 441}, {0, 441, 800, 109}, 411},
        {660, 180, {96, 0, 564, 21}, {0, 0, 96, 21}, {0, 21, 660, 109}, 0},
        {660, 150, {96, 0, 564, 0}, {0, 0, 96, 0}, {0, -9, 660, 109}, 0},
    };
    for (const auto& c : cases) {
        resizeOuter(c.w, c.h);
        ASSERT_EQ(outerSize(*window), QSize(c.w, c.h));
        EXPECT_EQ(ui.代码编辑框1->geometry(), c.box) << c.h;
        EXPECT_EQ(ui.高级选择夹1->geometry(), c.codeTabs) << c.h;
        EXPECT_EQ(ui.高级选择夹2->geometry(), c.bottomTabs) << c.h;
        EXPECT_EQ(ui.树型框_代码->height(), c.treeHeight) << c.h;
    }
}

TEST_F(MainWindowTest, ControlsAndMenusAsDefined) {
    const auto& ui = window->controls();
    // Every control is found by its name.
    for (const char* name :
         {"高级选择夹1", "树型框_代码", "高级选择夹2", "编辑框_调试输出", "代码编辑框1"})
        EXPECT_NE(window->findChild<QWidget*>(QString::fromUtf8(name)), nullptr) << name;
    ASSERT_EQ(ui.高级选择夹1->count(), 1);
    EXPECT_EQ(ui.高级选择夹1->tabText(0), "代码");
    ASSERT_EQ(ui.高级选择夹2->count(), 2);
    EXPECT_EQ(ui.高级选择夹2->tabText(0), "调试");
    EXPECT_EQ(ui.高级选择夹2->tabText(1), "日志");
    ASSERT_EQ(ui.树型框_代码->topLevelItemCount(), 1);
    EXPECT_EQ(ui.树型框_代码->topLevelItem(0)->text(0), "工程文件");
    EXPECT_FALSE(ui.树型框_代码->topLevelItem(0)->isExpanded());

    QStringList menus;
    for (QAction* menu : window->menuBar()->actions()) {
        QStringList items;
        for (QAction* item : menu->menu()->actions()) {
            items << item->text();
            EXPECT_TRUE(item->shortcut().isEmpty());
        }
        menus << menu->text() + ":" + items.join(",");
    }
    EXPECT_EQ(menus,
              QStringList({"文件:新建工程,打开,保存,退出", "编译:生成", "工具:配置", "帮助:关于"}));
}

TEST_F(MainWindowTest, ItemsWithoutHandlersChangeNothing) {
    const auto& ui = window->controls();
    const QRect before = window->geometry();
    for (QAction* item : {ui.菜单项_打开, ui.菜单项_保存, ui.菜单项_退出}) {
        item->trigger();
        QApplication::processEvents();
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
    EXPECT_EQ(window->geometry(), before);
    EXPECT_EQ(ui.树型框_代码->topLevelItem(0)->childCount(), 0);
}

// Opens a menu item's window and reports what was modal while it was open.
template <class Window>
QSize modalWindowOf(QAction* item, bool& wasModal) {
    QSize size;
    QTimer::singleShot(0, [&] {
        auto* open = qobject_cast<Window*>(QApplication::activeModalWidget());
        wasModal = open != nullptr && open->isModal();
        if (open) {
            size = outerSize(*open);
            open->close();
        }
    });
    item->trigger();
    return size;
}

TEST_F(MainWindowTest, SettingsAndAboutAreModal) {
    const auto& ui = window->controls();
    bool modal = false;
    EXPECT_EQ(modalWindowOf<SettingsWindow>(ui.菜单项_配置, modal), QSize(512, 311));
    EXPECT_TRUE(modal);
    modal = false;
    EXPECT_EQ(modalWindowOf<AboutWindow>(ui.菜单项_关于, modal), QSize(380, 250));
    EXPECT_TRUE(modal);

    AboutWindow about;
    EXPECT_EQ(about.controls().透明标签1->geometry(), QRect(8, 8, 344, 200));
    EXPECT_FALSE(about.controls().透明标签1->text().isEmpty());
    EXPECT_TRUE(about.windowTitle().isEmpty());
}

TEST_F(MainWindowTest, CreationAttachesTheEditor) {
    EXPECT_TRUE(editor->ready);
    EXPECT_EQ(editor->controlId, window->controls().代码编辑框1->boxId());
    EXPECT_TRUE(window->controls().代码编辑框1->isUtf8());
}

TEST(TearDown, ReleasesTheGlobals) {
    editor = std::make_unique<SyntaxEditor>();
    sourceFileName = "demo.php";
    debugDir = "/tmp/demo/Debug";
    projectIcons = std::make_unique<PictureGroup>();
    tearDown();
    EXPECT_EQ(editor, nullptr);
    EXPECT_TRUE(sourceFileName.empty());
    EXPECT_TRUE(debugDir.empty());
    EXPECT_EQ(projectIcons, nullptr);
    tearDown();  // harmless when there is nothing left
}

}  // namespace
}  // namespace quillet
