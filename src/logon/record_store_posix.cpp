#include "logon/record_store.h"
#include "logon/xdg_autostart.h"
#include "platform/file_ownership.h"
#include "platform/process.h"
#include "platform/text_file.h"

namespace logon {

namespace {

// Why the record's folder is not used, or an empty text when it is the user's alone.
std::string folderRefusal(const std::string& folder) {
    if (folder.empty()) {
        return "no home folder is set (HOME)";
    }
    const platform::FolderCheck way = platform::checkFolderWay(folder);
    return platform::foreign(way.ownership) ? "another user can change " + way.folder
                                            : std::string();
}

}  // namespace

StoredRecord loadRecord() {
    const std::string folder = stateFolder();
    // Without a home folder nothing can have been taken over: there is no record to read.
    if (folder.empty()) {
        return {};
    }
    if (std::string refusal = folderRefusal(folder); !refusal.empty()) {
        return {false, false, {}, std::move(refusal)};
    }
    platform::ReadResult read = platform::readLines(recordPlace());
    if (!read.complete) {
        return {
            true,
            false,
            {},
            recordPlace() + (read.tooLarge ? " is too large"
                                           : " is not a file of the user's own that can be read")};
    }
    return {read.opened, true, std::move(read.lines), {}};
}

std::string saveRecord(const std::vector<std::string>& lines) {
    const std::string folder = stateFolder();
    if (std::string refusal = folderRefusal(folder); !refusal.empty()) {
        return refusal;
    }
    platform::makeFolders(folder);
    const platform::WriteResult written =
        platform::replaceFile(recordPlace(), lines, platform::Unencodable::Refuse,
                              platform::Durability::OnDisk, platform::LineEnd::Lf);
    return written.ok ? std::string() : recordPlace() + ": " + written.error;
}

std::string recordPlace() {
    const std::string folder = stateFolder();
    return folder.empty() ? folder : folder + "/logon-programs";
}

}  // namespace logon
