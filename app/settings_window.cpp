#include "app/settings_window.h"

#include "app/widget_geometry.h"

namespace quillet {

SettingsWindow::SettingsWindow(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
    setModal(true);
    move(50, 50);
    keepOuterSize(*this, {512, 311});
}

}  // namespace quillet
