// Opalist: the main window on the Qt front end, or the window of the log-on programs alone.
// "--help", "--version" and "--check" print and end before any window is opened; any other argument
// is refused. Where no display can be opened the program says so in one line instead of Qt's abort.
// A start for a user and settings file that an Opalist already runs for brings that one to the
// front and ends.
#include <QtCore/QLoggingCategory>
#include <QtCore/QStringList>
#include <QtCore/QtGlobal>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/command_options.h"
#include "app/dialog.h"
#include "app/one_instance.h"
#include "gui/qt/exit_when_shown.h"
#include "gui/qt/front_end.h"
#include "gui/qt/system_qt_only.h"

namespace {

[[noreturn]] void noDisplay(const std::string& what) {
    std::fprintf(stderr,
                 "opalist: %s; start Opalist from a desktop session (or set DISPLAY or "
                 "WAYLAND_DISPLAY to a running display)\n",
                 what.c_str());
    std::_Exit(1);
}

bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// Qt ends with a fatal message when the display it was given cannot be opened, or when no
// platform plugin can be loaded for it; its warnings on the way are held back, so that the
// user reads one line. They are printed once the display is open.
QStringList heldMessages;
// A platform plugin that was loaded and refused the display says so in its own category.
bool displayRefused = false;
// Qt names the library a plugin misses only in a debug message of its plugin loader: those are
// asked for while Qt starts, and only the failures are kept unless the user asked for all.
constexpr char PluginLoader[] = "qt.core.plugin.loader";
bool pluginDebugAsked = false;

void startMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    const QString category = QString::fromUtf8(context.category != nullptr ? context.category : "");
    if (type == QtDebugMsg && category == QLatin1String(PluginLoader) && !pluginDebugAsked &&
        !text.contains(u"failed")) {
        return;
    }
    displayRefused =
        displayRefused ||
        ((category.startsWith(u"qt.qpa.xcb") || category.startsWith(u"qt.qpa.wayland")) &&
         text.contains(u"display", Qt::CaseInsensitive));
    heldMessages.append(qFormatLogMessage(type, context, text));
    if (type != QtFatalMsg) {
        return;
    }
    if (displayRefused) {
        noDisplay("the display could not be opened");
    }
    // Qt's own reason (which plugin, which library is missing) on the one line.
    const QString reason = heldMessages.join(u' ').simplified();
    std::fprintf(stderr, "opalist: the Qt platform plugin could not be loaded: %s\n",
                 reason.toLocal8Bit().constData());
    std::_Exit(1);
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (const std::optional<CommandAnswer> answer = answerCommandLine(arguments)) {
        std::fputs(answer->out.c_str(), stdout);
        std::fputs(answer->error.c_str(), stderr);
        return answer->status;
    }
    if (!isSet("QT_QPA_PLATFORM") && !isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY")) {
        noDisplay("no display to open (DISPLAY and WAYLAND_DISPLAY are not set)");
    }
    pluginDebugAsked = isSet("QT_DEBUG_PLUGINS");
    QLoggingCategory::setFilterRules(QStringLiteral("qt.core.plugin.loader.debug=true"));
    qInstallMessageHandler(startMessages);
    gui::qt::keepQtToItsInstallation();
    QApplication qt(argc, argv);
    qInstallMessageHandler(nullptr);
    QLoggingCategory::setFilterRules({});
    for (const QString& message : std::as_const(heldMessages)) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
    // Windows go only when the program says so.
    QApplication::setQuitOnLastWindowClosed(false);
    gui::qt::FrontEnd frontEnd;
    tk::Application& app = frontEnd.app();
    Dialog dialog(app, platformServices());
    if (opensLogonWindowAlone(arguments)) {
        return app.dispatch([&] { dialog.OpenLogonProgramsAlone(); }) ? QApplication::exec() : 0;
    }
    const std::unique_ptr<platform::SingleInstance> instance = claimOneInstance(dialog);
    if (!instance) {
        return 0;
    }
    frontEnd.watchReadable(instance->requestDescriptor(), [&] { instance->answerRequests(); });
    if (!app.dispatch([&] {
            dialog.Form_Load();
            dialog.show();
            dialog.ReportUnusedFiles();
        })) {
        return 0;
    }
    gui::qt::ExitWhenShown exitWhenShown(*frontEnd.widget(dialog));
    return QApplication::exec();
}
