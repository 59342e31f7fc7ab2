#pragma once
// The program's command line, the same on every system: no argument starts the window,
// "--help" and "--version" print and end, "--check [FILE]" tells what each entry of the launch
// list would do and ends. Anything else is refused with exit status 2.

#include <string>
#include <vector>

struct CommandOptions {
    enum class Action { Start, Help, Version, Check, Refuse };
    Action action = Action::Start;
    std::string checkFile;  // with Check: the settings file named, or empty for the user's own
    std::string refused;    // with Refuse: the argument that was not understood
};

// The arguments after the program's own name.
CommandOptions readCommandOptions(const std::vector<std::string>& arguments);

// The usage text, the refusal line and the version line, each ended by a line feed.
std::string helpText(const std::string& program);
std::string refusalText(const std::string& program, const std::string& refused);
std::string versionText(const std::string& program, const std::string& version);
