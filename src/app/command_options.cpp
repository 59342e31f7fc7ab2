#include "app/command_options.h"

#include "app/services.h"
#include "app/settings_check.h"
#include "launch/shown_text.h"
#include "platform/shell.h"

CommandOptions readCommandOptions(const std::vector<std::string>& arguments) {
    using Action = CommandOptions::Action;
    if (arguments.empty()) {
        return {};
    }
    const std::string& option = arguments.front();
    // "/?" is how Windows programs are asked for their help.
    if (arguments.size() == 1 && (option == "--help" || option == "/?")) {
        return {Action::Help, {}, {}};
    }
    if (arguments.size() == 1 && option == "--version") {
        return {Action::Version, {}, {}};
    }
    if (option == "--check" && arguments.size() <= 2) {
        return {Action::Check, arguments.size() == 2 ? arguments[1] : std::string(), {}};
    }
    // An option known but given too much names what is too much.
    const bool known =
        option == "--help" || option == "/?" || option == "--version" || option == "--check";
    return {Action::Refuse, {}, known ? arguments.back() : option};
}

namespace {

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

}  // namespace

std::optional<CommandAnswer> answerCommandLine(const std::vector<std::string>& arguments) {
    const CommandOptions options = readCommandOptions(arguments);
    if (options.action == CommandOptions::Action::Start) {
        return std::nullopt;
    }
    const Services services = platformServices(FilesFolder::Look);
    const std::string& program = services.process.name;
    switch (options.action) {
        case CommandOptions::Action::Help:
            return CommandAnswer{helpText(program), {}, 0};
        case CommandOptions::Action::Version: {
            const platform::Version& version = services.version;
            return CommandAnswer{program + " " + std::to_string(version.major) + "." +
                                     std::to_string(version.minor) + "." +
                                     std::to_string(version.revision) + "\n",
                                 {},
                                 0};
        }
        case CommandOptions::Action::Check: {
            const CheckOutcome check =
                checkSettingsFile(services, options.checkFile, platform::planShellRequest);
            return CommandAnswer{check.out, check.error, check.status};
        }
        default:
            return CommandAnswer{{},
                                 program + ": unknown argument \"" +
                                     launch::shownText(options.refused) + "\" (see " + program +
                                     " --help)\n",
                                 2};
    }
}
