#include "app/command_options.h"

#include "app/logon_command.h"
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
    const std::size_t count = arguments.size();
    // "/?" is how Windows programs are asked for their help.
    if (count == 1 && (option == "--help" || option == "/?")) {
        return {Action::Help, {}, {}, {}};
    }
    if (count == 1 && option == "--version") {
        return {Action::Version, {}, {}, {}};
    }
    if (option == "--check" && count <= 2) {
        return {Action::Check, count == 2 ? arguments[1] : std::string(), {}, {}};
    }
    if (option == "--logon-programs" && count == 1) {
        return {Action::LogonWindow, {}, {}, {}};
    }
    if (option == "--logon-programs" && count == 2 && arguments[1] == "--list") {
        return {Action::LogonList, {}, {}, {}};
    }
    if ((option == "--take-over" || option == "--give-back") && count == 2) {
        return {
            option == "--take-over" ? Action::TakeOver : Action::GiveBack, {}, {}, arguments[1]};
    }
    if (option == "--give-back-all" && count == 1) {
        return {Action::GiveBackAll, {}, {}, {}};
    }
    // An option known but given too much (or too little) names what is wrong.
    const bool known = option == "--help" || option == "/?" || option == "--version" ||
                       option == "--check" || option == "--logon-programs" ||
                       option == "--take-over" || option == "--give-back" ||
                       option == "--give-back-all";
    return {Action::Refuse, {}, known ? arguments.back() : option, {}};
}

namespace {

std::string helpText(const std::string& program) {
    return "Usage: " + program +
           " [--help | --version | --check [FILE]]\n"
           "       " +
           program +
           " --logon-programs [--list] | --take-over NAME | --give-back NAME |\n"
           "       --give-back-all\n"
           "Counts a chosen interval down after you log on, then opens every entry of your launch\n"
           "list. The settings file and the error log are kept beside the program when its folder\n"
           "can be written, otherwise in the user's own configuration folder.\n"
           "\n"
           "  --check [FILE]  tell, for each entry of the launch list and each log-on program\n"
           "                  Opalist starts, what it would open and whether it would fail,\n"
           "                  without launching anything or changing a file; FILE names another\n"
           "                  settings file. Exit status 0 when every entry would open, 1 when\n"
           "                  any would fail, 2 when the settings file cannot be read.\n"
           "  --logon-programs [--list]\n"
           "                  open the window of the programs that start by themselves at\n"
           "                  log-on; with --list, print them with their state instead\n"
           "  --take-over NAME\n"
           "                  switch the log-on entry NAME off in the system; Opalist starts it\n"
           "                  after the countdown instead\n"
           "  --give-back NAME\n"
           "                  give the entry NAME back to the system exactly as it was\n"
           "  --give-back-all give every taken-over entry back (do this before uninstalling)\n"
           "                  Exit status 0 when done, 1 when refused or failed.\n"
           "  --version       print the version\n"
           "  --help          print this text\n";
}

}  // namespace

bool opensLogonWindowAlone(const std::vector<std::string>& arguments) {
    return readCommandOptions(arguments).action == CommandOptions::Action::LogonWindow;
}

std::optional<CommandAnswer> answerCommandLine(const std::vector<std::string>& arguments) {
    using Action = CommandOptions::Action;
    const CommandOptions options = readCommandOptions(arguments);
    if (options.action == Action::Start || options.action == Action::LogonWindow) {
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
        case Action::LogonList:
        case Action::TakeOver:
        case Action::GiveBack:
        case Action::GiveBackAll: {
            logon::LogonPrograms programs(logon::systemLogonPlatform());
            programs.refresh();
            return answerLogonCommand(options, programs, program);
        }
        case CommandOptions::Action::Check: {
            const CheckOutcome check =
                checkSettingsFile(services, options.checkFile, platform::planShellRequest,
                                  logon::systemLogonPlatform());
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
