// The main window's side of the error log: its name, adding a record, and the "View error log"
// button that follows the file's existence.
#include "app/dialog.h"
#include "launch/error_log.h"
#include "platform/text_file.h"

std::string Dialog::ErrorLogPath() const {
    return launch::errorLogPath(services().filesFolder(), services().process,
                                services().pathSeparator);
}

bool Dialog::LogLaunchError(const std::string& commandLine, const std::string& msg) {
    if (services().noFilesFolder) {
        return false;
    }
    Butt[Command::ViewErrorLog].setEnabled(true);
    return launch::appendErrorLogRecord(
        ErrorLogPath(), launch::errorLogRecord(services().dateTimeText(), commandLine, msg));
}

int Dialog::RefreshErrorLogButton() {
    const bool exists = !services().noFilesFolder && platform::canOpen(ErrorLogPath());
    Butt[Command::ViewErrorLog].setEnabled(exists);
    return exists ? 1 : 0;
}
