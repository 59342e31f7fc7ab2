// Writes PNG pictures of the main window in its compact and full layouts and of the error-log
// window, drawn offscreen, into the folder given as the only argument.
#include <QtCore/QDir>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>
#include <cstdio>

#include "app/dialog.h"
#include "gui/qt/front_end.h"
#include "ui/view_err.h"

namespace {

bool save(gui::QtFrontEnd& frontEnd, const tk::Window& window, const QDir& folder,
          const QString& name) {
    QApplication::processEvents();
    QWidget* widget = frontEnd.widget(window);
    const QString path = folder.filePath(name);
    if (widget == nullptr || !widget->grab().save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    if (argc != 2 || !QDir().mkpath(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "usage: opalist_screenshots FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    gui::QtFrontEnd frontEnd;
    tk::Application& app = frontEnd.app();
    Dialog dialog(app, platformServices());
    const tk::Twips fullHeight = dialog.height();
    bool ok = app.dispatch([&] {
        dialog.Form_Load();
        dialog.show();
    });
    ok = ok && app.dispatch([&] {
        dialog.uHide(false);
        dialog.FrSetup.setVisible(false);
        dialog.setHeight(Dialog::CompactHeight);
    });
    ok = ok && save(frontEnd, dialog, folder, "main-compact.png");
    ok = ok && app.dispatch([&] {
        dialog.uHide(true);
        dialog.FrSetup.setVisible(true);
        dialog.setHeight(fullHeight);
    });
    ok = ok && save(frontEnd, dialog, folder, "main-full.png");
    ok = ok && app.dispatch([&] { dialog.viewErr().show(); });
    ok = ok && save(frontEnd, dialog.viewErr(), folder, "error-log.png");
    return ok ? 0 : 1;
}
