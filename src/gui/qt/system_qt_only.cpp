#include "gui/qt/system_qt_only.h"

#include <QtCore/QByteArray>
#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QStringList>

namespace gui::qt {

// A qt.conf or qt6.conf beside the program would name Qt's folders: the one built into the
// program (":/qt/etc/qt.conf", the system installation's paths) is read instead.
//
// Qt also adds the program's folder to the library paths when the application object is made,
// and keeps only the removals of paths it knew beforehand. So the folder is made known to it
// once, as if the user had named it in QT_PLUGIN_PATH, and then removed; the user's own
// QT_PLUGIN_PATH is put back before Qt reads it again.
void keepQtToItsInstallation() {
    const QString programFolder =
        QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath())
            .dir()
            .canonicalPath();
    const char* const variable = "QT_PLUGIN_PATH";
    const bool userSet = qEnvironmentVariableIsSet(variable);
    const QByteArray userPaths = qgetenv(variable);
    for (const QString& named :
         QFile::decodeName(userPaths).split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
        if (QDir(named).canonicalPath() == programFolder) {
            return;  // the user chose it
        }
    }
    qputenv(variable,
            userPaths + QDir::listSeparator().toLatin1() + QFile::encodeName(programFolder));
    QStringList paths = QCoreApplication::libraryPaths();
    paths.removeAll(programFolder);
    QCoreApplication::setLibraryPaths(paths);
    if (userSet) {
        qputenv(variable, userPaths);
    } else {
        qunsetenv(variable);
    }
}

}  // namespace gui::qt
