#include "app/new_project_window.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <cerrno>
#include <cstring>

#include "app/globals.h"
#include "app/qt_text.h"
#include "app/widget_geometry.h"

namespace quillet {

NewProjectWindow::NewProjectWindow(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
    setModal(true);
    placeWindow(*this, {50, 50}, {515, 335});
    connect(ui.按钮2, &QPushButton::clicked, this, &NewProjectWindow::onFinishClicked);
    onNewProjectWindowCreated();
}

void NewProjectWindow::onNewProjectWindowCreated() {
    projectIcons = std::make_unique<PictureGroup>(PictureGroup{QSize(64, 64), {}});

    QListWidget& list = *ui.超级列表框1;
    list.addItem(new QListWidgetItem());  // owned by the list
    const int i = list.count() - 1;
    list.setIconSize(projectIcons->cellSize);
    list.item(i)->setText(QStringLiteral("PHP工程"));
    const auto picture = static_cast<std::size_t>(i);
    if (picture < projectIcons->pictures.size())
        list.item(i)->setIcon(QIcon(projectIcons->pictures[picture]));

    ui.编辑框_工程路径->setText(QCoreApplication::applicationDirPath() + "/");
}

void NewProjectWindow::makeDirectory(const Text& path) {
    // Only the last component is made. A folder that is there already is
    // simply taken over; any other failure is worth telling.
    if (mkdir(fileSystemPath(path).c_str(), 0777) == 0 || errno == EEXIST) return;
    problems_ << QStringLiteral("无法创建目录 %1：%2")
                     .arg(fromText(path), QString::fromLocal8Bit(std::strerror(errno)));
}

void NewProjectWindow::onFinishClicked() {
    makeDirectory(toText(ui.编辑框_工程路径->text()) + toText(ui.编辑框_名称->text()));
    makeDirectory(toText(ui.编辑框_工程路径->text()) + toText(ui.编辑框_名称->text()) + "/Debug");
    debugDir = toText(ui.编辑框_工程路径->text()) + toText(ui.编辑框_名称->text()) + "/Debug";
    sourceFileName = toText(ui.编辑框_名称->text()) + ".php";
    accept();
}

}  // namespace quillet
