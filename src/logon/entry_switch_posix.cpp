#include <optional>

#include "logon/desktop_entry.h"
#include "logon/entry_switch.h"
#include "logon/xdg_autostart.h"
#include "platform/file_bytes.h"
#include "platform/file_ownership.h"
#include "platform/posix_paths.h"
#include "platform/process.h"
#include "platform/text_file.h"

namespace logon {

namespace {

// What the user file holds now: its bytes, nothing when there is none, or why it cannot be
// told (not the user's own, unreadable, too large).
struct SwitchFile {
    std::optional<std::string> bytes;
    std::string error;
};

SwitchFile switchFile(const std::string& path) {
    const std::string folder = platform::folderOf(path);
    if (const platform::FolderCheck way = platform::checkFolderWay(folder);
        platform::foreign(way.ownership)) {
        return {std::nullopt, "another user can change " + way.folder};
    }
    platform::BytesRead read = platform::readBytes(path, MaxDesktopEntryBytes);
    if (!read.complete) {
        return {std::nullopt, path + " cannot be read as the user's own file"};
    }
    if (!read.opened) {
        return {};
    }
    return {std::move(read.bytes), {}};
}

std::string written(const std::string& path, std::string_view bytes) {
    platform::makeFolders(platform::folderOf(path));
    const platform::WriteResult result = platform::replaceFileBytes(path, bytes);
    return result.ok ? std::string() : path + ": " + result.error;
}

}  // namespace

SwitchResult planTakeOver(const FoundEntry& found) {
    if (found.switchLocation.empty()) {
        return {"there is no user autostart folder (HOME is not set)", {}};
    }
    TakenOver taken{found.entry.name,     found.entry.source, found.entry.location,
                    found.switchLocation, found.switchNow,    {}};
    // A user entry keeps its own lines, its command among them; a system entry is hidden by a
    // user file of its own.
    taken.written = found.entry.source == Source::UserAutostart && found.switchNow
                        ? hiddenCopy(*found.switchNow)
                        : hidingOverride();
    return {{}, std::move(taken)};
}

std::string switchOff(const TakenOver& taken) {
    const SwitchFile now = switchFile(taken.switchLocation);
    if (!now.error.empty()) {
        return now.error;
    }
    if (now.bytes != taken.original) {
        return taken.switchLocation + " changed meanwhile";
    }
    return written(taken.switchLocation, taken.written);
}

GiveBack giveBackEntry(const TakenOver& taken) {
    const SwitchFile now = switchFile(taken.switchLocation);
    if (!now.error.empty()) {
        return {GiveBackResult::Failed, now.error};
    }
    if (now.bytes != taken.written) {
        return {GiveBackResult::ChangedSince,
                taken.switchLocation + (now.bytes ? " is not what Opalist wrote" : " is gone")};
    }
    if (taken.original) {
        const std::string error = written(taken.switchLocation, *taken.original);
        return {error.empty() ? GiveBackResult::Done : GiveBackResult::Failed, error};
    }
    if (!platform::deleteFile(taken.switchLocation)) {
        return {GiveBackResult::Failed, taken.switchLocation + " could not be removed"};
    }
    return {};
}

}  // namespace logon
