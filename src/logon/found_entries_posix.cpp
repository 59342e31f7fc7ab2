#include <glib.h>

#include <cstdlib>
#include <map>
#include <optional>

#include "logon/desktop_entry.h"
#include "logon/found_entries.h"
#include "logon/xdg_autostart.h"
#include "platform/autostart.h"
#include "platform/desktop_exec.h"
#include "platform/exec_line.h"

namespace logon {

namespace {

// The files of one desktop file id: the user's, and the first system folder's.
struct IdFiles {
    std::optional<EntryFile> user;
    std::string userPath;
    std::optional<EntryFile> system;
    std::string systemPath;
};

bool programExists(const std::string& program) {
    gchar* const path = g_find_program_in_path(program.c_str());
    g_free(path);
    return path != nullptr;
}

// An entry's state from its file: damaged, Opalist's own, a session part, switched off, a
// command that cannot be read, or starting with the system.
void judge(Entry& entry, const EntryFile& file, const std::vector<std::string>& desktops) {
    const auto cannot = [&entry](Reason reason, std::string detail) {
        entry.state = State::CannotTakeOver;
        entry.reason = reason;
        entry.detail = std::move(detail);
    };
    if (file.problem != Reason::None) {
        return cannot(file.problem, file.detail);
    }
    const DesktopEntry desktop = parseDesktopEntry(file.bytes);
    entry.commandLine = desktop.exec;
    if (desktop.damage != Reason::None) {
        return cannot(desktop.damage, desktop.detail);
    }
    if (platform::namesThisProgram(platform::desktopExecProgram(desktop.exec))) {
        return cannot(Reason::OpalistItself, {});
    }
    if (!desktop.sessionKey.empty()) {
        return cannot(Reason::SessionComponent, desktop.sessionKey);
    }
    if (const Reason off = whyNotStarting(desktop, desktops, programExists); off != Reason::None) {
        entry.state = State::SwitchedOff;
        entry.reason = off;
        return;
    }
    if (desktop.exec.empty()) {
        return cannot(Reason::BadCommand, "no Exec");
    }
    const std::optional<std::vector<std::string>> words = platform::execCommandAlone(desktop.exec);
    if (!words || words->empty()) {
        return cannot(Reason::BadCommand, "Exec does not split into words");
    }
    entry.state = State::StartsWithSystem;
}

// Whether a user file only switches a system entry off: no command of its own, and off.
bool switchesOnly(const EntryFile& file, const std::vector<std::string>& desktops) {
    if (file.problem != Reason::None) {
        return false;
    }
    const DesktopEntry desktop = parseDesktopEntry(file.bytes);
    return desktop.damage == Reason::None && desktop.exec.empty() &&
           whyNotStarting(desktop, desktops, programExists) != Reason::None;
}

}  // namespace

std::vector<FoundEntry> findEntries() {
    const AutostartFolders folders = autostartFolders();
    const char* current = std::getenv("XDG_CURRENT_DESKTOP");
    const std::vector<std::string> desktops = currentDesktops(current != nullptr ? current : "");
    std::map<std::string, IdFiles> ids;
    if (!folders.user.empty()) {
        for (const std::string& name : desktopFileNames(folders.user)) {
            IdFiles& files = ids[name];
            files.userPath = folders.user + "/" + name;
            files.user = readEntryFile(files.userPath, true);
            if (!folders.userForeign.empty()) {
                files.user->problem = Reason::NotUsersOwn;
                files.user->detail = folders.userForeign;
                files.user->bytes.clear();
            }
        }
    }
    for (const std::string& folder : folders.system) {
        for (const std::string& name : desktopFileNames(folder)) {
            IdFiles& files = ids[name];
            if (!files.system) {
                files.systemPath = folder + "/" + name;
                files.system = readEntryFile(files.systemPath, false);
            }
        }
    }
    std::vector<FoundEntry> found;
    for (auto& [name, files] : ids) {
        FoundEntry item;
        item.entry.name = name;
        item.switchLocation = folders.user.empty() ? std::string() : folders.user + "/" + name;
        if (files.user && files.user->problem == Reason::None) {
            item.switchNow = files.user->bytes;
        }
        const bool systemEntry =
            files.system && (!files.user || switchesOnly(*files.user, desktops));
        if (!systemEntry && files.user && switchesOnly(*files.user, desktops)) {
            continue;  // a user file that switches off a system entry that is gone
        }
        const EntryFile& file = systemEntry ? *files.system : *files.user;
        item.entry.source = systemEntry ? Source::SystemAutostart : Source::UserAutostart;
        item.entry.location = systemEntry ? files.systemPath : files.userPath;
        judge(item.entry, file, desktops);
        if (systemEntry && files.user) {
            // The user file decides: it switches the system entry off.
            const DesktopEntry hiding = parseDesktopEntry(files.user->bytes);
            if (item.entry.state == State::StartsWithSystem) {
                item.entry.state = State::SwitchedOff;
                item.entry.reason = whyNotStarting(hiding, desktops, programExists);
            }
        }
        if (item.entry.state == State::StartsWithSystem &&
            (folders.user.empty() || !folders.userForeign.empty() ||
             (files.user && files.user->problem != Reason::None))) {
            // Its switch would be a user file where none can be written.
            item.entry.state = State::CannotTakeOver;
            item.entry.reason = folders.user.empty() ? Reason::Unreadable : Reason::NotUsersOwn;
            item.entry.detail = folders.user.empty()           ? "no home folder is set (HOME)"
                                : !folders.userForeign.empty() ? folders.userForeign
                                                               : item.switchLocation;
        }
        found.push_back(std::move(item));
    }
    return found;
}

}  // namespace logon
