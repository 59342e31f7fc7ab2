#pragma once
// A log-on entry as the list of log-on programs shows it: a program that the system starts by
// itself when the user logs on, found in one of the system's places for such entries.

#include <string>
#include <string_view>

#include "ui/bilingual_text.h"

namespace logon {

// Where an entry comes from.
enum class Source {
    UserAutostart,        // $XDG_CONFIG_HOME/autostart
    SystemAutostart,      // autostart under one of $XDG_CONFIG_DIRS (/etc/xdg/autostart)
    UserRun,              // HKCU\...\CurrentVersion\Run
    MachineRun,           // HKLM\...\CurrentVersion\Run
    MachineRun32,         // HKLM\Software\WOW6432Node\...\CurrentVersion\Run
    UserRunOnce,          // HKCU\...\CurrentVersion\RunOnce
    UserStartupFolder,    // the user's Startup folder
    CommonStartupFolder,  // the Startup folder of every user
};

enum class State {
    StartsWithSystem,  // the system starts it at log-on
    StartedByOpalist,  // taken over: switched off in the system, started after the countdown
    SwitchedOff,       // the system does not start it, and Opalist does not either
    CannotTakeOver,    // see the reason
};

// Why an entry does not start by itself (SwitchedOff) or cannot be taken over (CannotTakeOver).
enum class Reason {
    None,
    // Switched off.
    Hidden,             // Hidden=true, or a user file that hides a system entry
    DisabledByDesktop,  // X-GNOME-Autostart-enabled=false
    NotForThisDesktop,  // OnlyShowIn / NotShowIn leave out $XDG_CURRENT_DESKTOP
    ProgramMissing,     // TryExec names no program that is there
    DisabledBySystem,   // Windows' own switch (Task Manager) is off
    // Cannot be taken over.
    OpalistItself,
    SessionComponent,  // a part of the desktop session; detail: the key that says so
    NoRights,          // a machine-wide entry whose switch the user cannot change
    RunOnce,           // started once and removed by the system
    TooLarge,          // larger than any log-on entry (detail: the limit)
    Binary,            // holds bytes that no text holds (NUL, control characters)
    NotUtf8,           // a name or value that is not UTF-8
    BadCommand,        // no command, or one that does not split (detail: why)
    UnexpectedType,    // a Run value that is not a string (detail: its type)
    TargetGone,        // a shortcut whose target is not there
    NotUsersOwn,       // a file or folder another user can change (detail: which)
    Unreadable,        // could not be read (detail: the system's reason)
};

struct Entry {
    // The name the list shows and "--take-over NAME" takes; unique in one listing. Linux: the
    // desktop file's id ("discord.desktop"); Windows: the Run value's name or the Startup
    // folder file's name.
    std::string name;
    // The command line as the system would run it: the Exec value, the Run value, the
    // shortcut's target and arguments. As found: may be empty or damaged (see reason).
    std::string commandLine;
    Source source = Source::UserAutostart;
    // The file, or the registry key and value, the entry is read from.
    std::string location;
    State state = State::StartsWithSystem;
    Reason reason = Reason::None;
    std::string detail;  // more about the reason, in the system's words; may be empty
    // Not there at the last start of Opalist (never taken over without the user).
    bool isNew = false;
};

// The short texts of the list, in English or Czech.
std::string_view sourceText(Source source, Language language);
std::string_view stateText(State state, Language language);
// The reason with its detail, one line; empty for Reason::None.
std::string reasonText(Reason reason, const std::string& detail, Language language);

// The record's and the command line's names of a source ("user-autostart", "hkcu-run", ...),
// and back.
std::string_view sourceKey(Source source);
bool sourceFromKey(std::string_view key, Source& source);

}  // namespace logon
