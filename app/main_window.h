#pragma once

#include <QMainWindow>

#include <string>

#include "app/batch_runner.h"
#include "ui_main_window.h"

namespace quillet {

// The start-up window: project tree, code box, debug output and the menu.
class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainWindow(QWidget* parent = nullptr);

    const Ui::MainWindow& controls() const { return ui; }

    void layoutMainWindow();
    void onCodeBoxUpdate();
    void onNewProjectMenu();
    void onBuildMenu();
    void onSettingsMenu();
    void onAboutMenu();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void onMainWindowCreated();
    BatchRun runWhileRepainting(const std::string& batchPath);

    Ui::MainWindow ui;
    bool building_ = false;
};

}  // namespace quillet
