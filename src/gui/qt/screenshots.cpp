// Writes PNG pictures of the main window in its compact and full layouts and of the error-log
// window, in English and in Czech, drawn offscreen into the folder given as the only argument.
// Each language gets a program folder of its own holding an example setup and error log.
#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/dialog.h"
#include "app/view_err.h"
#include "gui/qt/front_end.h"

namespace {

bool save(gui::qt::FrontEnd& frontEnd, const tk::Window& window, const QDir& folder,
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

const char* const Entries[] = {
    R"(\usr\bin\xclock /-geometry 300x300)",
    R"(xterm /-title Mail /-e mutt)",
    R"('\home\eva\My Files\plan.pdf')",
    R"(https:\\www.debian.org\)",
};

// The example setup and two log records in the folder, the way Opalist writes them.
void writeExample(const QTemporaryDir& folder, const char* language) {
    const std::string base = folder.path().toStdString() + "/opalist eva";
    std::ofstream settings(base + ".ini", std::ios::binary);
    settings << "<01100>\r\n10\r\n" << language << "\r\n";
    for (const char* entry : Entries) {
        settings << entry << "\r\n";
    }
    std::ofstream(base + " error.log", std::ios::binary)
        << "#12/07/2026 08:01:12# | \\usr\\bin\\xclok /-geometry 300x300 | File not found\r\n"
        << "#12/07/2026 08:01:13# | \\opt\\backup\\run.sh | Access denied\r\n";
}

bool pictures(gui::qt::FrontEnd& frontEnd, const QDir& folder, const char* language) {
    QTemporaryDir program;
    writeExample(program, language);
    Services services = platformServices();
    services.process = {program.path().toStdString(), "opalist", "eva"};
    services.filesDirectory.clear();
    services.carriedSettings.clear();
    tk::Application& app = frontEnd.app();
    Dialog dialog(app, services);
    const QString suffix = QString::fromLatin1(language).toLower() + ".png";
    bool ok = app.dispatch([&] {
        dialog.Form_Load();
        dialog.show();
    });
    ok = ok && save(frontEnd, dialog, folder, "main-compact-" + suffix);
    ok = ok && app.dispatch([&] { dialog.ConfigRunAgainCommand(); });
    ok = ok && save(frontEnd, dialog, folder, "main-full-" + suffix);
    ok = ok && app.dispatch([&] { dialog.ViewErrorLogCommand(); });
    ok = ok && save(frontEnd, dialog.viewErr(), folder, "error-log-" + suffix);
    return ok;
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
    gui::qt::FrontEnd frontEnd;
    return pictures(frontEnd, folder, "EN") && pictures(frontEnd, folder, "CS") ? 0 : 1;
}
