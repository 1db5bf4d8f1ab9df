#pragma once

#include <QDialog>

#include "ui_settings_window.h"

namespace quillet {

// "配置": an empty window for now.
class SettingsWindow : public QDialog {
    Q_OBJECT

  public:
    explicit SettingsWindow(QWidget* parent = nullptr);

  private:
    Ui::SettingsWindow ui;
};

}  // namespace quillet
