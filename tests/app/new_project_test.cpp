#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QTimer>

#include "app/globals.h"
#include "app/main_window.h"
#include "app/new_project_window.h"
#include "app/qt_text.h"
#include "app/start_up.h"
#include "app/widget_geometry.h"
#include "support/main_window_fixture.h"
#include "support/temp_dir.h"
#include "text/gbk_literal.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

class NewProject : public ::testing::Test {
  protected:
    void TearDown() override { tearDown(); }

    // Fills the window in and presses "完成".
    static void finish(NewProjectWindow& window, const QString& path, const QString& name) {
        window.controls().编辑框_工程路径->setText(path);
        window.controls().编辑框_名称->setText(name);
        window.controls().按钮2->click();
    }
    QString tmp() const { return QString::fromStdString(dir.str()); }

    testing::TempDir dir;
};

TEST_F(NewProject, CreatedWithItsDefaults) {
    NewProjectWindow first;
    const PictureGroup* firstIcons = projectIcons.get();
    ASSERT_NE(firstIcons, nullptr);
    EXPECT_EQ(firstIcons->cellSize, QSize(64, 64));
    EXPECT_TRUE(firstIcons->pictures.empty());
    const auto& ui = first.controls();
    EXPECT_EQ(ui.编辑框_工程路径->text(), QCoreApplication::applicationDirPath() + "/");
    EXPECT_TRUE(ui.编辑框_名称->text().isEmpty());
    ASSERT_EQ(ui.超级列表框1->count(), 1);
    EXPECT_EQ(ui.超级列表框1->item(0)->text(), "PHP工程");
    EXPECT_TRUE(ui.超级列表框1->item(0)->icon().isNull());
    EXPECT_EQ(ui.超级列表框1->iconSize(), QSize(64, 64));
    EXPECT_EQ(ui.按钮2->text(), "完成");
    EXPECT_EQ(ui.按钮3->text(), "打开工程目录");
    EXPECT_EQ(ui.标签1->text(), "工程路径");
    EXPECT_EQ(ui.标签2->text(), "文件名");
    EXPECT_EQ(ui.编辑框_名称->geometry(), QRect(408, 56, 88, 24));

    NewProjectWindow second;  // each opening makes a new picture group
    EXPECT_NE(projectIcons.get(), nullptr);
    EXPECT_EQ(projectIcons->cellSize, QSize(64, 64));
}

TEST_F(NewProject, FinishCreatesBothFoldersAndSetsTheProject) {
    struct Case {
        QString path, name;
        std::string projectDir;  // relative to the temporary folder
        Text debugDir, source;
    } cases[] = {
        {tmp() + "/", "demo", "demo", dir.str() + "/demo/Debug", "demo.php"},
        {tmp() + "/work", "demo", "workdemo", dir.str() + "/workdemo/Debug", "demo.php"},
        {tmp() + "/", "", "", dir.str() + "//Debug", ".php"},
        {tmp() + "/", "演示 1", "演示 1", gbk(dir.str() + "/演示 1/Debug"), gbk("演示 1.php")},
        {tmp() + "/", "demo", "demo", dir.str() + "/demo/Debug", "demo.php"},  // exists: taken over
    };
    for (const auto& c : cases) {
        NewProjectWindow window;
        finish(window, c.path, c.name);
        EXPECT_EQ(window.result(), QDialog::Accepted);
        EXPECT_TRUE(window.problems().isEmpty()) << window.problems().join("\n").toStdString();
        EXPECT_TRUE(fs::is_directory(dir.path() / c.projectDir / "Debug")) << c.projectDir;
        EXPECT_EQ(debugDir, c.debugDir);
        EXPECT_EQ(sourceFileName, c.source);
    }
}

TEST_F(NewProject, MissingParentIsReportedYetTheProjectIsSet) {
    NewProjectWindow window;
    finish(window, tmp() + "/missing/", "demo");
    EXPECT_EQ(window.problems().size(), 2);
    EXPECT_FALSE(fs::exists(dir.path() / "missing"));
    EXPECT_EQ(debugDir, dir.str() + "/missing/demo/Debug");
    EXPECT_EQ(sourceFileName, "demo.php");
}

class ProjectMenu : public testing::MainWindowFixture {
  protected:
    void newProject(const std::optional<QString>& name) {
        MainWindowFixture::newProject(QString::fromStdString(dir.str() + "/"), name);
    }
    QStringList children() const {
        QStringList names;
        const QTreeWidgetItem* root = window->controls().树型框_代码->topLevelItem(0);
        for (int i = 0; i < root->childCount(); ++i) names << root->child(i)->text(0);
        return names;
    }
    testing::TempDir dir;
};

TEST_F(ProjectMenu, EveryUseAddsAChildOfTheProjectItem) {
    const QTreeWidgetItem* root = window->controls().树型框_代码->topLevelItem(0);
    newProject(std::nullopt);  // closed without "完成" before any project
    EXPECT_EQ(children(), QStringList({""}));
    EXPECT_TRUE(root->isExpanded());
    EXPECT_TRUE(debugDir.empty());

    newProject("demo");
    newProject("second");
    newProject(std::nullopt);
    EXPECT_EQ(children(), QStringList({"", "demo.php", "second.php", "second.php"}));
    EXPECT_EQ(root->text(0), "工程文件");
    EXPECT_EQ(window->controls().树型框_代码->topLevelItemCount(), 1);
    EXPECT_EQ(debugDir, dir.str() + "/second/Debug");
}

}  // namespace
}  // namespace quillet
