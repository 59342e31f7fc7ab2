// Opalist: the main window on the Qt front end.
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>
#include <cstdio>
#include <cstdlib>

#include "app/dialog.h"
#include "gui/qt/front_end.h"

namespace {

struct WhenPainted : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted) {
            painted = true;
            QTimer::singleShot(0, [] {
                std::puts("shown");
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }
    bool painted = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication qt(argc, argv);
    // Windows go only when the program says so.
    QApplication::setQuitOnLastWindowClosed(false);
    gui::QtFrontEnd frontEnd;
    tk::Application& app = frontEnd.app();
    Dialog dialog(app, platformServices());
    if (!app.dispatch([&] {
            dialog.Form_Load();
            dialog.show();
        })) {
        return 0;
    }
    // Start-up measurement hook (bench/bench_startup): with OPALIST_EXIT_WHEN_SHOWN set, the
    // program writes "shown" once the main window has been painted, and ends.
    WhenPainted exitWhenShown;
    if (std::getenv("OPALIST_EXIT_WHEN_SHOWN") != nullptr) {
        frontEnd.widget(dialog)->installEventFilter(&exitWhenShown);
    }
    return QApplication::exec();
}
