#pragma once
// The program's command line, the same on every system: no argument starts the window,
// "--help" and "--version" print and end, "--check [FILE]" tells what each entry of the launch
// list would do and ends. "--logon-programs" opens the window of the log-on programs, with
// "--list" prints them and ends; "--take-over NAME", "--give-back NAME" and "--give-back-all"
// change them and end (app/logon_command.h). Anything else is refused with exit status 2.

#include <optional>
#include <string>
#include <vector>

struct CommandOptions {
    enum class Action {
        Start,
        Help,
        Version,
        Check,
        LogonWindow,
        LogonList,
        TakeOver,
        GiveBack,
        GiveBackAll,
        Refuse
    };
    Action action = Action::Start;
    std::string checkFile;  // with Check: the settings file named, or empty for the user's own
    std::string refused;    // with Refuse: the argument that was not understood
    std::string logonName;  // with TakeOver and GiveBack: the entry's name
};

// The arguments after the program's own name.
CommandOptions readCommandOptions(const std::vector<std::string>& arguments);

// What a command line that does not start a window answers: the text for the standard output,
// the one line for the standard error and the exit status. Nothing when a window is to start
// (Start, LogonWindow).
struct CommandAnswer {
    std::string out;
    std::string error;
    int status = 0;
};
std::optional<CommandAnswer> answerCommandLine(const std::vector<std::string>& arguments);
// Whether the command line opens the window of the log-on programs alone (LogonWindow): no
// countdown, nothing launched, the program ends when the window closes.
bool opensLogonWindowAlone(const std::vector<std::string>& arguments);
