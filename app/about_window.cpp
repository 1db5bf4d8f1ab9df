#include "app/about_window.h"

#include "app/widget_geometry.h"

namespace quillet {

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
    setModal(true);
    move(50, 50);
    keepOuterSize(*this, {380, 250});
}

}  // namespace quillet
