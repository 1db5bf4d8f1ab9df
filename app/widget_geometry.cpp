#include "app/widget_geometry.h"

#include <QEvent>
#include <QWidget>
#include <algorithm>

namespace quillet {
namespace {

constexpr int kLimit = 32627;

int clampSize(int v) {
    return std::clamp(v, 0, kLimit);
}
int clampPlace(int v) {
    return std::clamp(v, -kLimit, kLimit);
}

// Sets the outer size on the window's first show, then goes.
class OuterSizeOnShow : public QObject {
  public:
    OuterSizeOnShow(QWidget& window, QSize size) : QObject(&window), size_(size) {
        window.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            setOuterSize(*static_cast<QWidget*>(watched), size_);
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

  private:
    QSize size_;
};

}  // namespace

void setLeft(QWidget& widget, int left) {
    widget.move(clampPlace(left), widget.y());
}

void setTop(QWidget& widget, int top) {
    widget.move(widget.x(), clampPlace(top));
}

void setWidth(QWidget& widget, int width) {
    widget.resize(clampSize(width), widget.height());
}

void setHeight(QWidget& widget, int height) {
    widget.resize(widget.width(), clampSize(height));
}

QSize outerSize(const QWidget& window) {
    return window.frameGeometry().size();
}

void setOuterSize(QWidget& window, QSize size) {
    const QSize frame = window.frameGeometry().size() - window.size();
    window.resize(size - frame);
}

void placeWindow(QWidget& window, QPoint topLeft, QSize outer) {
    window.move(topLeft);
    keepOuterSize(window, outer);
}

void keepOuterSize(QWidget& window, QSize size) {
    setOuterSize(window, size);
    new OuterSizeOnShow(window, size);  // owned by the window
}

}  // namespace quillet
