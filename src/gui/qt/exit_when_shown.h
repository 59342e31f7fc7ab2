#pragma once
// The start-up measurement hook on Qt (see toolkit/exit_when_shown.h). A paint event is seen
// before the widget paints: the window is on the screen once the event loop turns again, after
// the painting and its flush. Header-only, so that the benchmark's minimal Qt program can use it
// without the front end.

#include <QtCore/QCoreApplication>
#include <QtCore/QEvent>
#include <QtCore/QObject>
#include <QtCore/QTimer>
#include <QtWidgets/QWidget>

#include "toolkit/exit_when_shown.h"

namespace gui::qt {

class ExitWhenShown : public QObject {
  public:
    // Watches the widget when the hook is armed.
    explicit ExitWhenShown(QWidget& window) {
        if (hook_.armed()) {
            window.installEventFilter(this);
        }
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && hook_.armed()) {
            QTimer::singleShot(0, this, [this] { hook_.shown(); });
        }
        return false;
    }

  private:
    tk::ExitWhenShown hook_{[] { QCoreApplication::exit(0); }};
};

}  // namespace gui::qt
