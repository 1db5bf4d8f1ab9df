#pragma once

#include <QPoint>
#include <QSize>

class QWidget;

namespace quillet {

// Setting a position or size property clamps it as the window system does:
// sizes into 0..32627, positions into -32627..32627.
void setLeft(QWidget& widget, int left);
void setTop(QWidget& widget, int top);
void setWidth(QWidget& widget, int width);
void setHeight(QWidget& widget, int height);

// A top-level window's size with its frame and caption.
QSize outerSize(const QWidget& window);
void setOuterSize(QWidget& window, QSize size);
// Gives the window that outer size now and again once it is shown, when its
// frame is known.
void keepOuterSize(QWidget& window, QSize size);
// A window's place and outer size as its definition gives them.
void placeWindow(QWidget& window, QPoint topLeft, QSize outer);

}  // namespace quillet
