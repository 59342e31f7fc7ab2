// The yardstick of bench_startup: a Qt Widgets program that shows one window of the main
// window's size; with "--label" the window holds one line of text, so fonts are loaded too.
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QWidget>
#include <cstring>

#include "gui/qt/exit_when_shown.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(313, 381);
    if (argc > 1 && std::strcmp(argv[1], "--label") == 0) {
        new QLabel(QStringLiteral("Startup in"), &window);
    }
    gui::qt::ExitWhenShown exitWhenShown(window);
    window.show();
    return QApplication::exec();
}
