// The yardstick of bench_startup: a Qt Widgets program that shows one window of the main
// window's size; with "--label" the window holds one line of text, so fonts are loaded too.
// OPALIST_EXIT_WHEN_SHOWN makes it write "shown" once the window has been painted, and end.
#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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
    QApplication app(argc, argv);
    QWidget window;
    window.resize(313, 381);
    if (argc > 1 && std::strcmp(argv[1], "--label") == 0) {
        new QLabel(QStringLiteral("Startup in"), &window);
    }
    WhenPainted exitWhenShown;
    if (std::getenv("OPALIST_EXIT_WHEN_SHOWN") != nullptr) {
        window.installEventFilter(&exitWhenShown);
    }
    window.show();
    return QApplication::exec();
}
