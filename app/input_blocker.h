#pragma once

#include <QObject>

namespace quillet {

// While it lives, the application takes no user input (it is dropped, not
// deferred) and its windows refuse to close, yet everything repaints.
class InputBlocker : public QObject {
  public:
    InputBlocker();
    ~InputBlocker() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace quillet
