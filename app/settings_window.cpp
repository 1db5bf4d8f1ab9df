#include "app/settings_window.h"

#include "app/widget_geometry.h"

namespace quillet {

SettingsWindow::SettingsWindow(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
    setModal(true);
    placeWindow(*this, {50, 50}, {512, 311});
}

}  // namespace quillet
