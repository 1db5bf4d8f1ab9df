#pragma once

#include <QDialog>
#include <QStringList>

#include "text/text_types.h"
#include "ui_new_project_window.h"

namespace quillet {

// "新建工程": names a project and where it lives, and creates its folders.
class NewProjectWindow : public QDialog {
    Q_OBJECT

  public:
    explicit NewProjectWindow(QWidget* parent = nullptr);

    const Ui::NewProjectWindow& controls() const { return ui; }
    // Folders that could not be created, with the reason, for the "调试" tab.
    const QStringList& problems() const { return problems_; }

    void onFinishClicked();

  private:
    void onNewProjectWindowCreated();
    void makeDirectory(const Text& path);

    Ui::NewProjectWindow ui;
    QStringList problems_;
};

}  // namespace quillet
