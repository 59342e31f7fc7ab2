// Opalist: the main window on the Qt front end.
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include "app/dialog.h"
#include "gui/qt/exit_when_shown.h"
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
    gui::ExitWhenShown exitWhenShown(*frontEnd.widget(dialog));
    return QApplication::exec();
}
