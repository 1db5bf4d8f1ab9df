#pragma once

#include <QDialog>

#include "ui_about_window.h"

namespace quillet {

// "关于": who made the system.
class AboutWindow : public QDialog {
    Q_OBJECT

  public:
    explicit AboutWindow(QWidget* parent = nullptr);

    const Ui::AboutWindow& controls() const { return ui; }

  private:
    Ui::AboutWindow ui;
};

}  // namespace quillet
