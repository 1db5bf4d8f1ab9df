#include "app/main_window.h"

#include <QEventLoop>
#include <QResizeEvent>
#include <thread>

#include "app/about_window.h"
#include "app/build_pipeline.h"
#include "app/compiler_output.h"
#include "app/globals.h"
#include "app/input_blocker.h"
#include "app/new_project_window.h"
#include "app/qt_text.h"
#include "app/settings_window.h"
#include "app/widget_geometry.h"
#include "resources/compiler_image.h"
#include "text/gbk_literal.h"

namespace quillet {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    ui.setupUi(this);
    placeWindow(*this, {50, 50}, {660, 398});

    connect(ui.菜单项_新建工程, &QAction::triggered, this, &MainWindow::onNewProjectMenu);
    connect(ui.菜单项_生成, &QAction::triggered, this, &MainWindow::onBuildMenu);
    connect(ui.菜单项_配置, &QAction::triggered, this, &MainWindow::onSettingsMenu);
    connect(ui.菜单项_关于, &QAction::triggered, this, &MainWindow::onAboutMenu);
    connect(ui.代码编辑框1, &CodeStyleEdit::updated, this, &MainWindow::onCodeBoxUpdate);

    onMainWindowCreated();
}

void MainWindow::onMainWindowCreated() {
    CodeStyleEdit& box = *ui.代码编辑框1;
    box.reportTo(editor.get());
    if (editor) {
        editor->attach(reinterpret_cast<std::intptr_t>(this), box.boxId(), std::nullopt,
                       gbk("黑体"), 15);
    }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    layoutMainWindow();
}

void MainWindow::layoutMainWindow() {
    const int w = outerSize(*this).width();
    const int h = outerSize(*this).height();
    QWidget& box = *ui.代码编辑框1;
    QWidget& codeTabs = *ui.高级选择夹1;
    QWidget& bottomTabs = *ui.高级选择夹2;

    setLeft(box, codeTabs.width());
    setTop(box, 0);
    setWidth(box, w - codeTabs.width());
    setHeight(box, h - bottomTabs.height() - 50);
    setTop(codeTabs, 0);
    setLeft(codeTabs, 0);
    setHeight(codeTabs, h - (bottomTabs.height() + 50));
    setTop(bottomTabs, h - bottomTabs.height() - 50);
    setLeft(bottomTabs, 0);
    setWidth(bottomTabs, w);
    setHeight(*ui.树型框_代码, codeTabs.height() - 30);
}

void MainWindow::onCodeBoxUpdate() {
    // The box raises its update from inside its paint, where the document
    // must not change: colour right after it instead.
    QMetaObject::invokeMethod(
        this,
        [] {
            if (editor) editor->colourAllLines();
        },
        Qt::QueuedConnection);
}

void MainWindow::onSettingsMenu() {
    SettingsWindow window;
    window.exec();
}

void MainWindow::onAboutMenu() {
    AboutWindow window;
    window.exec();
}

void MainWindow::onNewProjectMenu() {
    NewProjectWindow window;
    window.exec();
    for (const QString& problem : window.problems()) ui.编辑框_调试输出->appendPlainText(problem);

    // The new item goes below item number 0, "工程文件".
    QTreeWidget& tree = *ui.树型框_代码;
    auto* item = new QTreeWidgetItem(QStringList(fromText(sourceFileName)));  // owned by the tree
    if (QTreeWidgetItem* first = tree.topLevelItem(0)) {
        first->addChild(item);
    } else {
        tree.addTopLevelItem(item);
    }
    tree.topLevelItem(0)->setExpanded(true);
}

void MainWindow::onBuildMenu() {
    if (building_) return;
    building_ = true;
    QPlainTextEdit& output = *ui.编辑框_调试输出;
    output.clear();
    output.appendPlainText(QStringLiteral("生成 %1").arg(fromText(sourceFileName)));

    const BuildInput input{editor ? editor->getText() : Text(), debugDir, sourceFileName,
                           compilerImage()};
    const BuildReport report =
        buildProject(input, [this](const std::string& batch) { return runWhileRepainting(batch); });
    if (!report.compilerOutput.empty())
        output.appendPlainText(decodeOutput(report.compilerOutput).trimmed());
    for (const auto& message : report.messages)
        output.appendPlainText(QString::fromStdString(message));
    building_ = false;
}

BatchRun MainWindow::runWhileRepainting(const std::string& batchPath) {
    // The compiler runs on a thread of its own; this loop keeps the window
    // painting while the blocker drops any input meant for it.
    const InputBlocker blocker;
    QEventLoop loop;
    BatchRun result;
    std::thread worker([&] {
        result = runBatchFile(batchPath);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    return result;
}

}  // namespace quillet
