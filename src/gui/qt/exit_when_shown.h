#pragma once
// The start-up measurement hook of bench_startup: with OPALIST_EXIT_WHEN_SHOWN set in the
// environment, the program writes "shown" once the watched window has been painted, and ends.
// Header-only, so that the benchmark's minimal Qt program can use it without the front end.

#include <QtCore/QCoreApplication>
#include <QtCore/QEvent>
#include <QtCore/QObject>
#include <QtCore/QTimer>
#include <QtWidgets/QWidget>
#include <cstdio>
#include <cstdlib>

namespace gui {

class ExitWhenShown : public QObject {
  public:
    // Watches the widget when the hook is asked for.
    explicit ExitWhenShown(QWidget& window) {
        if (std::getenv("OPALIST_EXIT_WHEN_SHOWN") != nullptr) {
            window.installEventFilter(this);
        }
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            QTimer::singleShot(0, [] {
                std::puts("shown");
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

  private:
    bool painted_ = false;
};

}  // namespace gui
