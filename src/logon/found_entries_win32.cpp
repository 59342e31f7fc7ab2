// The log-on entries of Windows, in the order the sources are listed below: the user's Run and
// RunOnce values, the user's Startup folder, then the machine's Run values (64- and 32-bit) and
// the common Startup folder; each Run key in the registry's order, each folder in its own.
// Each entry's switch is its StartupApproved value: HKCU's for the user's entries, HKLM's for
// the machine's, which only a user with the rights to change it can take over.
#include <map>
#include <set>

#include "logon/found_entries.h"
#include "logon/run_value.h"
#include "logon/startup_approved.h"
#include "logon/startup_folder.h"
#include "logon/win32_registry.h"
#include "platform/autostart.h"
#include "platform/win32_text.h"

namespace logon {

namespace {

using win32::RegistryPlace;

constexpr wchar_t RunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t RunOnceKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr wchar_t Run32Key[] = L"Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t ApprovedKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\";

struct RunSource {
    Source source;
    HKEY root;
    const wchar_t* key;
    const wchar_t* approved;  // the StartupApproved key's last part; nullptr: none
};
const RunSource UserRunSources[] = {
    {Source::UserRun, HKEY_CURRENT_USER, RunKey, L"Run"},
    {Source::UserRunOnce, HKEY_CURRENT_USER, RunOnceKey, nullptr},
};
const RunSource MachineRunSources[] = {
    {Source::MachineRun, HKEY_LOCAL_MACHINE, RunKey, L"Run"},
    {Source::MachineRun32, HKEY_LOCAL_MACHINE, Run32Key, L"Run32"},
};

std::u16string_view units(const std::wstring& text) {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

void cannot(Entry& entry, Reason reason, std::string detail = {}) {
    entry.state = State::CannotTakeOver;
    entry.reason = reason;
    entry.detail = std::move(detail);
}

// The command's program is this one, by any of the names Windows may read from it.
bool startsOpalist(const std::string& commandLine) {
    for (const ProgramCandidate& candidate : programCandidates(commandLine)) {
        if (platform::namesThisProgram(candidate.program)) {
            return true;
        }
    }
    return false;
}

class Listing {
  public:
    std::vector<FoundEntry> found;

    void addRunKey(const RunSource& source) {
        const win32::Key key(source.root, source.key, KEY_QUERY_VALUE);
        if (!key.open()) {
            return;
        }
        std::wstring name(16384, L'\0');
        for (DWORD index = 0;; ++index) {
            DWORD nameLength = static_cast<DWORD>(name.size());
            DWORD type = 0;
            DWORD size = 0;
            const LONG result = RegEnumValueW(key.get(), index, name.data(), &nameLength, nullptr,
                                              &type, nullptr, &size);
            if (result == ERROR_NO_MORE_ITEMS) {
                break;
            }
            if (result == ERROR_SUCCESS) {
                addRunValue(source, std::wstring(name.data(), nameLength));
            }
        }
    }

    void addStartupFolder(bool common) {
        const Source source = common ? Source::CommonStartupFolder : Source::UserStartupFolder;
        for (const StartupFile& file : startupFiles(startupFolder(common))) {
            FoundEntry item;
            item.entry.source = source;
            item.entry.location = file.path;
            item.entry.commandLine = file.path;
            const RegistryPlace place{common ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER,
                                      std::wstring(ApprovedKey) + L"StartupFolder",
                                      platform::win32::wide(file.name)};
            if (!file.nameValid) {
                cannot(item.entry, Reason::NotUtf8, "its name is not valid UTF-16");
            } else if (isShortcut(file.name)) {
                judgeShortcut(item.entry, file);
            }
            add(std::move(item), file.name, file.nameValid ? &place : nullptr);
        }
    }

  private:
    void addRunValue(const RunSource& source, const std::wstring& name) {
        RegistryPlace at{source.root, source.key, name};
        const win32::ValueRead read = win32::readValue(at, MaxRunValueBytes);
        const RunValue value = readRunValue(units(name), read.type, read.bytes, read.size);
        FoundEntry item;
        item.entry.source = source.source;
        item.entry.location = win32::placeText(at);
        item.entry.commandLine = value.commandLine;
        if (read.error != ERROR_SUCCESS) {
            cannot(item.entry, Reason::Unreadable,
                   platform::win32::errorText(static_cast<unsigned long>(read.error)));
        } else if (value.damage != Reason::None) {
            cannot(item.entry, value.damage, value.detail);
        } else if (source.approved == nullptr) {
            cannot(item.entry, Reason::RunOnce);
        } else if (startsOpalist(value.expand ? win32::expandedValue(value.commandLine)
                                              : value.commandLine)) {
            cannot(item.entry, Reason::OpalistItself);
        }
        // RunOnce has no switch: the system removes the value when it has run it.
        const bool switchable = source.approved != nullptr && value.damage == Reason::None;
        const RegistryPlace place{
            source.root, switchable ? ApprovedKey + std::wstring(source.approved) : std::wstring(),
            name};
        add(std::move(item), value.name, switchable ? &place : nullptr);
    }

    static void judgeShortcut(Entry& entry, const StartupFile& file) {
        if (file.size > MaxRunValueBytes) {
            return cannot(entry, Reason::TooLarge, "over 64 KiB");
        }
        const Shortcut shortcut = readShortcut(file.path);
        if (!shortcut.error.empty()) {
            return cannot(entry, Reason::Unreadable, shortcut.error);
        }
        if (!shortcut.target.empty()) {
            entry.commandLine = "\"" + shortcut.target + "\"" +
                                (shortcut.arguments.empty() ? "" : " " + shortcut.arguments);
        }
        if (!shortcut.targetThere) {
            cannot(entry, Reason::TargetGone, shortcut.target);
        } else if (platform::namesThisProgram(shortcut.target)) {
            cannot(entry, Reason::OpalistItself);
        }
    }

    // The entry with its unique name and, where it has one, the state of its switch.
    void add(FoundEntry item, const std::string& name, const RegistryPlace* place) {
        item.entry.name = name;
        if (!names_.insert(name).second) {
            item.entry.name +=
                " (" + std::string(sourceText(item.entry.source, Language::English)) + ")";
            names_.insert(item.entry.name);
        }
        if (place != nullptr) {
            item.switchLocation = win32::placeText(*place);
            win32::BinaryRead now = win32::readBinary(*place);
            if (!now.error.empty() && item.entry.state != State::CannotTakeOver) {
                cannot(item.entry, Reason::Unreadable, now.error);
            }
            item.switchNow = std::move(now.bytes);
            const ApprovedState state = approvedState(item.switchNow);
            item.switchedOnByUser = state.switchedOnByUser;
            if (state.switchedOff && item.entry.state == State::StartsWithSystem) {
                item.entry.state = State::SwitchedOff;
                item.entry.reason = Reason::DisabledBySystem;
            } else if (item.entry.state == State::StartsWithSystem &&
                       place->root == HKEY_LOCAL_MACHINE && !writable(*place)) {
                cannot(item.entry, Reason::NoRights, "HKLM\\" + platform::win32::utf8(place->key));
            }
        }
        found.push_back(std::move(item));
    }

    // Asked once per key in a listing.
    bool writable(const RegistryPlace& place) {
        const auto [at, added] = writable_.try_emplace(place.key, false);
        if (added) {
            at->second = win32::canWrite(place);
        }
        return at->second;
    }

    std::set<std::string> names_;
    std::map<std::wstring, bool> writable_;
};

}  // namespace

std::vector<FoundEntry> findEntries() {
    Listing listing;
    for (const RunSource& source : UserRunSources) {
        listing.addRunKey(source);
    }
    listing.addStartupFolder(false);
    for (const RunSource& source : MachineRunSources) {
        listing.addRunKey(source);
    }
    listing.addStartupFolder(true);
    return std::move(listing.found);
}

}  // namespace logon
