#include <string_view>
#include <vector>

#include "platform/autostart.h"
#include "platform/desktop_exec.h"
#include "platform/posix_paths.h"
#include "platform/process.h"
#include "platform/text_file.h"

namespace platform {

namespace {

// The user's autostart folder lies beside the folder of the user's files, in the same base
// directory; empty when the environment names none.
std::string entryPath() {
    const std::string config = userConfigDirectory();
    return config.empty() ? std::string() : folderOf(config) + "/autostart/opalist.desktop";
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos
               ? std::string_view()
               : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// What the entry says, from its [Desktop Entry] group, line by line.
struct Entry {
    bool found = false;
    std::string program;
    bool switchedOff = false;
    bool inMainGroup = false;

    void take(std::string_view line) {
        if (line.starts_with('[')) {
            inMainGroup = line == "[Desktop Entry]";
            return;
        }
        const std::size_t equals = line.find('=');
        if (!inMainGroup || equals == std::string_view::npos) {
            return;
        }
        const std::string_view key = trimmed(line.substr(0, equals));
        const std::string_view value = trimmed(line.substr(equals + 1));
        if (key == "Exec") {
            program = desktopExecProgram(value);
        } else if ((key == "Hidden" && value == "true") ||
                   (key == "X-GNOME-Autostart-enabled" && value == "false")) {
            switchedOff = true;
        }
    }
};

// A desktop entry is a few lines; a larger file in its place is read as none.
constexpr ReadLimit EntryReadLimit{std::uint64_t{64} << 10};

Entry readEntry(const std::string& path) {
    Entry entry;
    const auto take = [&entry](std::string_view line) { entry.take(line); };
    entry.found = readLines(path, take, EntryReadLimit).opened;
    return entry;
}

std::vector<std::string> entryLines() {
    return {"[Desktop Entry]",
            "Type=Application",
            "Name=Opalist",
            "Comment=Optionally launches selected applications at system startup",
            "Comment[cs]=Po odpočtu spustí vybrané programy při startu systému",
            "Exec=" + desktopExec(executablePath()),
            "Icon=opalist",
            "Terminal=false",
            "X-GNOME-Autostart-enabled=true"};
}

}  // namespace

bool namesThisProgram(const std::string& program) {
    const std::string self = executablePath();
    return !program.empty() &&
           (program == self || (program.find('/') == std::string::npos &&
                                program == std::string_view(self).substr(self.rfind('/') + 1)));
}

bool startsAtLogon() {
    const std::string path = entryPath();
    if (path.empty()) {
        return false;
    }
    const Entry entry = readEntry(path);
    return entry.found && !entry.switchedOff && namesThisProgram(entry.program);
}

std::string setStartsAtLogon(bool start) {
    const std::string path = entryPath();
    if (path.empty()) {
        return "No home folder is set (HOME)";
    }
    const Entry entry = readEntry(path);
    if (!start) {
        // An entry of another program under this name is not ours to remove.
        if (entry.found && namesThisProgram(entry.program) && !deleteFile(path)) {
            return "The log-on entry " + path + " could not be removed";
        }
        return {};
    }
    if (entry.found && !entry.switchedOff && namesThisProgram(entry.program)) {
        return {};
    }
    makeFolders(folderOf(path));
    const WriteResult written =
        replaceFile(path, entryLines(), Unencodable::Refuse, Durability::OnDisk, LineEnd::Lf);
    return written.ok ? std::string() : path + ": " + written.error;
}

}  // namespace platform
