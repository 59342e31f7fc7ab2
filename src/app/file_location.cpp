#include "app/file_location.h"

#include "launch/error_log.h"

namespace {

// The other folder's settings file when it is the user's, on a way that is the user's alone,
// and newer than the one in use. The way is walked only when there is such a file: most starts
// have none, and the walk looks at every folder up to the root.
std::string newerSettings(const std::string& inUse, const std::string& otherFolder,
                          const std::string& other, const FileFacts& facts) {
    const platform::FileCheck there = facts.checkFile(other);
    if (there.ownership != platform::Ownership::Own ||
        platform::foreign(facts.checkFolderWay(otherFolder).ownership)) {
        return {};
    }
    const platform::FileCheck here = facts.checkFile(inUse);
    return here.ownership != platform::Ownership::Own || there.modified > here.modified
               ? other
               : std::string();
}

}  // namespace

FileLocation chooseFileLocation(const platform::ProcessFacts& process, char pathSeparator,
                                const std::string& configDirectory, const FileFacts& facts) {
    const std::string& programFolder = process.directory;
    if (configDirectory.empty()) {
        return {programFolder, {}, {}};
    }
    FileLocation location;
    const auto wayFails = [&](const std::string& folder) {
        const platform::FolderCheck way = facts.checkFolderWay(folder);
        if (platform::foreign(way.ownership)) {
            location.unused.push_back({way.folder, way.ownership});
            return true;
        }
        return false;
    };
    const bool writable = facts.folderWritable(programFolder);
    if (writable) {
        wayFails(programFolder);
        for (const std::string& file :
             {settingsFilePath(programFolder, process, pathSeparator),
              launch::ErrorLog(programFolder, process, pathSeparator).path()}) {
            const platform::Ownership ownership = facts.checkFile(file).ownership;
            if (platform::foreign(ownership)) {
                location.unused.push_back({file, ownership});
            }
        }
    }
    const bool beside = writable && location.unused.empty();
    if (!beside && wayFails(configDirectory)) {
        return location;
    }
    location.directory = beside ? programFolder : configDirectory;
    const std::string& other = beside ? configDirectory : programFolder;
    location.carriedSettings =
        newerSettings(settingsFilePath(location.directory, process, pathSeparator), other,
                      settingsFilePath(other, process, pathSeparator), facts);
    return location;
}

std::string settingsFilePath(const std::string& directory, const platform::ProcessFacts& process,
                             char pathSeparator) {
    return directory + pathSeparator + process.name + " " + process.userName + ".ini";
}
