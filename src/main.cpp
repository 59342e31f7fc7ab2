// Opalist: the main window on the Qt front end.
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <cstdlib>

#include "app/dialog.h"
#include "gui/qt/front_end.h"

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
    // Start-up measurement hook (bench/bench_startup): OPALIST_EXIT_WHEN_SHOWN=1 ends the
    // program as soon as the main window has been shown.
    if (std::getenv("OPALIST_EXIT_WHEN_SHOWN") != nullptr) {
        QTimer::singleShot(0, &qt, [] { QCoreApplication::exit(0); });
    }
    return QApplication::exec();
}
