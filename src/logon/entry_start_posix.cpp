#include <glib.h>
#include <sys/stat.h>

#include "logon/desktop_entry.h"
#include "logon/entry_start.h"
#include "logon/xdg_autostart.h"
#include "platform/argument_limits.h"
#include "platform/detached_spawn.h"
#include "platform/exec_line.h"
#include "platform/shell.h"
#include "platform/terminal.h"

namespace logon {

namespace {

using namespace platform::shell_code;

// Programs start in the file-system root, as the entries of the launch list do, unless the
// entry names a folder of its own.
constexpr const char* DefaultFolder = "/";

bool isFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

StartPlan planEntryStart(const TakenOver& taken) {
    StartPlan plan;
    // The command is where the entry keeps it now: a user entry in its user file (hidden by
    // Opalist), a system entry in its system file.
    const EntryFile file = readEntryFile(taken.location, taken.source == Source::UserAutostart);
    if (!file.found) {
        plan.code = FileNotFound;
        return plan;
    }
    const DesktopEntry entry = parseDesktopEntry(file.bytes);
    plan.commandLine = entry.exec;
    if (file.problem != Reason::None || entry.damage != Reason::None) {
        plan.code = InvalidExecutable;
        return plan;
    }
    std::optional<std::vector<std::string>> words = platform::execCommandAlone(entry.exec);
    if (!words || words->empty()) {
        plan.code = InvalidExecutable;
        return plan;
    }
    if (entry.terminal) {
        std::vector<std::string> terminal = platform::terminalCommand();
        if (terminal.empty()) {
            plan.code = FileNotFound;
            return plan;
        }
        words->insert(words->begin(), terminal.begin(), terminal.end());
    }
    gchar* const program = g_find_program_in_path(words->front().c_str());
    if (program == nullptr) {
        plan.code = FileNotFound;
        plan.command = std::move(*words);
        return plan;
    }
    plan.command = std::move(*words);
    plan.command.front() = program;
    g_free(program);
    plan.folder = entry.path.empty() ? DefaultFolder : entry.path;
    if (!isFolder(plan.folder)) {
        plan.code = PathNotFound;
    } else if (!platform::argumentsFit(plan.command.front(), plan.command)) {
        plan.code = CommandLineTooLong;
    } else {
        plan.code = Accepted;
    }
    return plan;
}

std::int32_t startEntry(const TakenOver& taken) {
    const StartPlan plan = planEntryStart(taken);
    if (plan.code != Accepted) {
        return plan.code;
    }
    const int error = platform::startDetached(plan.command.front(), plan.command, plan.folder);
    return error == 0 ? Accepted : platform::shellCodeOf(error);
}

}  // namespace logon
