#include "app/services.h"

#include <utility>

#include "app/file_location.h"
#include "platform/autostart.h"
#include "platform/file_ownership.h"

Services platformServices(FilesFolder folder) {
    Services services;
    services.process = platform::currentProcess();
    services.version = platform::programVersion();
    services.pathSeparator = platform::pathSeparator();
    services.dateTimeText = platform::localDateTimeText;
    services.desktopWindow = platform::desktopWindow;
    services.shellExecute = platform::shellExecute;
    services.startsAtLogon = platform::startsAtLogon;
    services.setStartsAtLogon = platform::setStartsAtLogon;
    services.logon = logon::systemLogonPlatform();
    FileLocation location = chooseFileLocation(
        services.process, services.pathSeparator, platform::userConfigDirectory(),
        {platform::folderWritable, platform::checkFile, platform::checkFolderWay});
    services.noFilesFolder = location.directory.empty();
    // Left empty for a portable folder, so that a caller who moves the process elsewhere
    // moves the files with it.
    if (!services.noFilesFolder && location.directory != services.process.directory) {
        if (folder == FilesFolder::Make) {
            platform::makeFolders(location.directory);
        }
        services.filesDirectory = std::move(location.directory);
    }
    services.carriedSettings = std::move(location.carriedSettings);
    services.unusedFiles = std::move(location.unused);
    return services;
}
