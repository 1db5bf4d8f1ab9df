#include "app/about_window.h"

#include "app/widget_geometry.h"

namespace quillet {

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
    setModal(true);
    placeWindow(*this, {50, 50}, {380, 250});
}

}  // namespace quillet
