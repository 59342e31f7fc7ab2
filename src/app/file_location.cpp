#include "app/file_location.h"

FileLocation chooseFileLocation(const platform::ProcessFacts& process, char pathSeparator,
                                const std::string& configDirectory,
                                const std::function<bool(const std::string&)>& folderWritable,
                                const std::function<bool(const std::string&)>& fileExists) {
    if (configDirectory.empty() || folderWritable(process.directory)) {
        return {process.directory, {}};
    }
    FileLocation location{configDirectory, {}};
    const std::string beside = settingsFilePath(process.directory, process, pathSeparator);
    if (!fileExists(settingsFilePath(configDirectory, process, pathSeparator)) &&
        fileExists(beside)) {
        location.carriedSettings = beside;
    }
    return location;
}

std::string settingsFilePath(const std::string& directory, const platform::ProcessFacts& process,
                             char pathSeparator) {
    return directory + pathSeparator + process.name + " " + process.userName + ".ini";
}
