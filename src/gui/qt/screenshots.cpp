// Writes PNG pictures of the main window in its compact and full layouts, of the error-log
// window and of the window of the log-on programs, in English and in Czech, drawn offscreen into
// the folder given as the only argument. Each language gets a program folder of its own holding
// an example setup and error log, and example XDG folders with log-on entries, two of them
// taken over and one new.
#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/dialog.h"
#include "app/logon_window.h"
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

void writeDesktopEntry(const QString& path, const std::string& lines) {
    std::ofstream(path.toStdString(), std::ios::binary) << "[Desktop Entry]\nType=Application\n"
                                                        << lines;
}

// The XDG folders of the example in the folder, pointed at by the environment, with the entries
// the record of the example holds taken over.
void writeLogonExample(const QTemporaryDir& folder) {
    const QDir root(folder.path());
    for (const char* sub : {"config/autostart", "xdg/autostart", "state"}) {
        root.mkpath(QString::fromLatin1(sub));
    }
    qputenv("XDG_CONFIG_HOME", root.filePath("config").toLocal8Bit());
    qputenv("XDG_CONFIG_DIRS", root.filePath("xdg").toLocal8Bit());
    qputenv("XDG_STATE_HOME", root.filePath("state").toLocal8Bit());
    qputenv("XDG_CURRENT_DESKTOP", "GNOME");
    const QString system = root.filePath("xdg/autostart/");
    writeDesktopEntry(system + "nextcloud.desktop",
                      "Name=Nextcloud\nExec=/usr/bin/nextcloud --background\n");
    writeDesktopEntry(system + "org.gnome.SettingsDaemon.Power.desktop",
                      "Name=Power\nExec=/usr/libexec/gsd-power\nX-GNOME-AutoRestart=true\n");
    writeDesktopEntry(system + "print-applet.desktop",
                      "Name=Print\nExec=/usr/bin/print-applet\nHidden=true\n");
    writeDesktopEntry(root.filePath("config/autostart/redshift-gtk.desktop"),
                      "Name=Redshift\nExec=redshift-gtk -l 50.1:14.4\n");
    logon::LogonPrograms programs(logon::systemLogonPlatform());
    programs.refresh();
    programs.takeOver("redshift-gtk.desktop");
    programs.takeOver("nextcloud.desktop");
    writeDesktopEntry(system + "syncthing-start.desktop",
                      "Name=Syncthing\nExec=/usr/bin/syncthing serve --no-browser\n");
}

bool pictures(gui::qt::FrontEnd& frontEnd, const QDir& folder, const char* language) {
    QTemporaryDir program;
    writeExample(program, language);
    writeLogonExample(program);
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
    ok = ok && app.dispatch([&] { dialog.LogonProgramsCommand(); });
    ok = ok && save(frontEnd, dialog.logonWindow(), folder, "logon-programs-" + suffix);
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
