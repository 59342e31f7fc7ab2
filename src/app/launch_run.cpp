// The launch run, started when the countdown ends or by Go now, and One by one: every entry of
// the launch list in list order, then the taken-over log-on programs in their start order, with
// a question before each when asked for.

#include <exception>
#include <string>
#include <vector>

#include "app/dialog.h"

namespace {

struct RunTexts {
    const char* running;
    const char* command;
    const char* runQuestion;
    const char* oneByOne;
    const char* errors;
    const char* seeLog;
    const char* reportTitle;
};
constexpr Bilingual<RunTexts> Texts{
    {"Running programs...", "Command:", "Run?", "One by one",
     "There were errors while launching command lines.",
     "\n\nSee list of errors in the log file and fix the issues.", "Opalist report"},
    {"Spouštím programy...", "Příkaz:", "Spustit?", "Krok za krokem",
     "Při spouštění se vyskytly chyby.",
     "\n\nZkontrolujte výpis chyb v log souboru a problémy odstraňte.", "Hlášení Opalistu"},
};

tk::MessageBox RunQuestion(const RunTexts& texts, const std::string& entry, int position,
                           int count) {
    const std::string progress =
        " (" + std::to_string(position) + "/" + std::to_string(count) + ")";
    tk::MessageBox box;
    box.text = texts.command + ("\n" + entry + "\n\n") + texts.runQuestion;
    box.title = texts.oneByOne + progress;
    box.icon = tk::Icon::Question;
    box.buttons = tk::Buttons::YesNo;
    box.defaultButton = tk::Answer::Yes;
    box.onTop = true;
    return box;
}

tk::MessageBox LaunchReport(const RunTexts& texts, bool logged) {
    tk::MessageBox box;
    box.text = texts.errors + std::string(logged ? texts.seeLog : "") + "\n\n";
    box.title = texts.reportTitle;
    box.icon = tk::Icon::Information;
    box.buttons = tk::Buttons::Ok;
    box.onTop = true;
    return box;
}

}  // namespace

void Dialog::LaunchEntries(bool askEach) {
    // A copy: the log-on window stays usable under a question and may change the record.
    const std::vector<logon::TakenOver> taken = logonPrograms_.takenOver();
    const int listed = LaunchList.listCount();
    const int count = listed + static_cast<int>(taken.size());
    for (int position = 1; position <= count; ++position) {
        const bool isListed = position <= listed;
        const logon::TakenOver* program =
            isListed ? nullptr : &taken[static_cast<std::size_t>(position - listed - 1)];
        std::string commandLine;
        // A fault while one entry is handled skips that entry and is reported as its failure;
        // the run goes on.
        try {
            commandLine = isListed ? std::string(LaunchList.list(position - 1))
                                   : logonPrograms_.planStart(*program).commandLine;
            const bool declined =
                askEach && app().messageBox(RunQuestion(Texts[language()], commandLine, position,
                                                        count)) != tk::Answer::Yes;
            if (declined) {
                continue;
            }
            if (isListed) {
                OpenEntry(position);
            } else {
                OpenTakenOver(*program);
            }
            if (askEach) {
                activate();  // the launched program may have taken the foreground
            }
        } catch (const std::exception& fault) {
            ReportFault(commandLine.empty() && program != nullptr ? program->name : commandLine,
                        fault);
        }
    }
}

bool Dialog::AnythingToRun() const {
    return LaunchList.listCount() > 0 || !logonPrograms_.takenOver().empty();
}

void Dialog::LaunchRun() {
    ++LaunchRuns;
    RecCount.setWidth(ProgressWidth);
    LblCountdownTxt.setCaption(Texts[language()].running);
    LblCountdown.setCaption("");
    CountDispl.setEnabled(false);
    Countdown.setEnabled(false);
    for (Command command : {Command::StopContinue, Command::ConfigRunAgain, Command::Exit,
                            Command::Help, Command::OneByOne, Command::GoNow}) {
        Butt[command].setEnabled(false);
    }

    LaunchEntries(PromptEach.value() != 0);

    if (qErrMsg.value() != 0 || !LaunchFailed) {
        app().end();
    }
    // Launches failed and the user wants to mend them: open the setup view with a report.
    ShowSetupArea(true);
    ApplyCaptions(Command::ConfigRunAgain, 2);
    ApplyCaptions(Command::StopContinue, 2);
    if (!SettingsDirty) {
        Butt[Command::SaveChanges].setEnabled(false);
    }
    setHeight(FullHeight);
    for (Command command : {Command::StopContinue, Command::ConfigRunAgain, Command::Exit,
                            Command::Help, Command::GoNow}) {
        Butt[command].setEnabled(true);
    }
    Timer.setFocus();
    app().messageBox(LaunchReport(Texts[language()], sErrMsg.value() != 0));
}

void Dialog::OneByOneCommand() {
    const bool wasCounting = Countdown.enabled();
    CountDispl.setEnabled(false);
    Countdown.setEnabled(false);
    if (SavePrompt() == tk::Answer::Cancel) {
        return;
    }
    LblCountdownTxt.setCaption(Texts[language()].running);
    LblCountdown.setCaption("");

    LaunchEntries(true);

    if (Butt[Command::Exit].enabled()) {
        Butt[Command::Exit].setFocus();
    }
    if (language() == Language::English) {
        LngEN_Click();
    } else {
        LngCS_Click();
    }
    ShowRemainingSeconds();
    if (wasCounting && (!LaunchFailed || qErrMsg.value() != 0)) {
        app().end();
    }
}
