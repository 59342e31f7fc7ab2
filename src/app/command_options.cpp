#include "app/command_options.h"

CommandOptions readCommandOptions(const std::vector<std::string>& arguments) {
    using Action = CommandOptions::Action;
    if (arguments.empty()) {
        return {};
    }
    const std::string& option = arguments.front();
    if (arguments.size() == 1 && option == "--help") {
        return {Action::Help, {}, {}};
    }
    if (arguments.size() == 1 && option == "--version") {
        return {Action::Version, {}, {}};
    }
    if (option == "--check" && arguments.size() <= 2) {
        return {Action::Check, arguments.size() == 2 ? arguments[1] : std::string(), {}};
    }
    // An option known but given too much names what is too much.
    const bool known = option == "--help" || option == "--version" || option == "--check";
    return {Action::Refuse, {}, known ? arguments.back() : option};
}

std::string helpText(const std::string& program) {
    return "Usage: " + program +
           " [--help | --version | --check [FILE]]\n"
           "Counts a chosen interval down after you log on, then opens every entry of your launch\n"
           "list. The settings file and the error log are kept beside the program when its folder\n"
           "can be written, otherwise in the user's own configuration folder.\n"
           "\n"
           "  --check [FILE]  tell, for each entry of the launch list, what it would open and\n"
           "                  whether it would fail, without launching anything or changing a\n"
           "                  file; FILE names another settings file. Exit status 0 when every\n"
           "                  entry would open, 1 when any would fail, 2 when the settings file\n"
           "                  cannot be read.\n"
           "  --version       print the version\n"
           "  --help          print this text\n";
}

std::string refusalText(const std::string& program, const std::string& refused) {
    return program + ": unknown argument \"" + refused + "\" (see " + program + " --help)\n";
}

std::string versionText(const std::string& program, const std::string& version) {
    return program + " " + version + "\n";
}
