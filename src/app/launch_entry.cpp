// Launching one entry: the shell request of ShellOpen and the failure handling of OpenEntry, also
// for a fault while an entry is handled, the start of a taken-over log-on program, whose
// failures are handled as a list entry's, and the record a failure adds to the error log.
#include "app/dialog.h"
#include "launch/command_line.h"
#include "launch/launch_message.h"
#include "launch/maker.h"
#include "platform/shell.h"

using launch::MakerAddress;

std::int32_t Dialog::ShellOpen(const std::string& commandLine, int split) {
    const std::uintptr_t owner = services().desktopWindow();
    const std::optional<launch::SplitCommand> command =
        launch::splitCommandLine(commandLine, split != 0);
    if (!command) {
        throw launch::EmptyCommandLine{};
    }
    if (launch::holdsNul(*command)) {
        return platform::shell_code::NulInCommandLine;
    }
    return services().shellExecute({owner, "Open", command->file, command->parameters,
                                    launch::shellDirectory(services().pathSeparator), 1});
}

void Dialog::OpenEntry(std::optional<int> c) {
    std::int32_t result = 0;
    try {
        result =
            c ? ShellOpen(std::string(LaunchList.list(*c - 1)), 1) : ShellOpen(MakerAddress, 0);
    } catch (const launch::EmptyCommandLine&) {
        return;  // an empty entry: nothing to open and nothing to report
    }
    if (result > 32) {
        return;
    }

    const std::string message = launch::launchMessage(result, language());
    if (!c) {
        // The user asked for the address just now: always say why it did not open. There is no
        // list entry to log or to fix, so LaunchFailed stays as it is.
        app().messageBox({launch::launchErrorTitle(language()),
                          launch::launchErrorText(MakerAddress, message, {}, language()),
                          tk::Icon::Exclamation, tk::Buttons::Ok});
        return;
    }

    ReportLaunchFailure(std::string(LaunchList.list(*c - 1)), message);
}

// The program is read from its entry now: the messages name the command line it holds now, or
// the entry's name when it holds none.
void Dialog::OpenTakenOver(const logon::TakenOver& taken) {
    const std::int32_t result = logonPrograms_.start(taken);
    if (result > 32) {
        return;
    }
    const std::string commandLine = logonPrograms_.planStart(taken).commandLine;
    ReportLaunchFailure(commandLine.empty() ? taken.name : commandLine,
                        launch::launchMessage(result, language()));
}

void Dialog::ReportLaunchFailure(const std::string& commandLine, const std::string& message) {
    launch::LogOutcome log = launch::LogOutcome::NotAsked;
    if (sErrMsg.value() != 0) {
        log = LogLaunchError(commandLine, message) ? launch::LogOutcome::Saved
                                                   : launch::LogOutcome::NotSaved;
    }
    if (dErrMsg.value() != 0) {
        const std::vector<std::string> advice =
            launch::launchAdvice(log, qErrMsg.value() != 0, language());
        tk::MessageBox box{launch::launchErrorTitle(language()),
                           launch::launchErrorText(commandLine, message, advice, language()),
                           tk::Icon::Exclamation, tk::Buttons::Ok};
        box.onTop = true;  // shown during a run, over the programs it started
        app().messageBox(box);
    }
    LaunchFailed = true;
}

launch::ErrorLog Dialog::errorLog() const {
    return {services().filesFolder(), services().process, services().pathSeparator,
            !services().noFilesFolder};
}

bool Dialog::LogLaunchError(const std::string& commandLine, const std::string& msg) {
    if (services().noFilesFolder) {
        return false;
    }
    Butt[Command::ViewErrorLog].setEnabled(true);
    return errorLog().append(services().dateTimeText(), commandLine, msg);
}

// The report may fail in turn (out of memory, say); the entry still counts as failed.
void Dialog::ReportFault(const std::string& commandLine, const std::exception& fault) {
    try {
        ReportLaunchFailure(commandLine, launch::faultMessage(fault.what(), language()));
    } catch (const std::exception&) {
        LaunchFailed = true;
    }
}
