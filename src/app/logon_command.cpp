#include "app/logon_command.h"

#include "launch/shown_text.h"

namespace {

using Action = CommandOptions::Action;

struct ListTexts {
    const char* isNew;
    const char* command;
    const char* from;
    const char* state;
    const char* none;
};
constexpr Bilingual<ListTexts> ListText{
    {" (new)", "command", "from", "state", "No log-on entries were found."},
    {" (nová)", "příkaz", "odkud", "stav", "Nebyly nalezeny žádné položky."},
};

}  // namespace

std::string logonListText(const logon::LogonPrograms& programs, Language language) {
    const ListTexts& text = ListText[language];
    std::string out;
    for (const logon::Entry& entry : programs.entries()) {
        out += launch::shownText(entry.name);
        out += entry.isNew ? std::string(text.isNew) + '\n' : std::string("\n");
        launch::addReportLine(out, text.command, entry.commandLine);
        launch::addReportLine(
            out, text.from,
            std::string(logon::sourceText(entry.source, language)) + ": " + entry.location);
        std::string state(logon::stateText(entry.state, language));
        if (const std::string why = logon::reasonText(entry.reason, entry.detail, language);
            !why.empty()) {
            state += ": " + why;
        }
        launch::addReportLine(out, text.state, state);
    }
    if (programs.entries().empty()) {
        out += std::string(text.none) + '\n';
    }
    for (const logon::GuardEvent& event : programs.events()) {
        out += launch::shownText(logon::guardEventText(event, language)) + '\n';
    }
    for (const std::string& problem : programs.problems()) {
        out += launch::shownText(problem) + '\n';
    }
    return out;
}

CommandAnswer answerLogonCommand(const CommandOptions& options, logon::LogonPrograms& programs,
                                 const std::string& program) {
    if (options.action == Action::LogonList) {
        return {logonListText(programs, Language::English), {}, 0};
    }
    std::vector<logon::Outcome> outcomes;
    if (options.action == Action::TakeOver) {
        outcomes.push_back(programs.takeOver(options.logonName));
    } else if (options.action == Action::GiveBack) {
        outcomes.push_back(programs.giveBack(options.logonName));
    } else {
        outcomes = programs.giveBackAll();
    }
    CommandAnswer answer;
    for (const logon::Outcome& outcome : outcomes) {
        const std::string name = launch::shownText(outcome.name);
        if (!outcome.ok()) {
            answer.error += program + ": " +
                            launch::shownText(logon::outcomeText(outcome, Language::English)) +
                            '\n';
            answer.status = 1;
        } else if (options.action == Action::TakeOver) {
            answer.out += name + ": taken over; Opalist starts it after the countdown\n";
        } else {
            answer.out += name + ": given back to the system\n";
        }
    }
    if (outcomes.empty()) {
        answer.out = "No log-on program is taken over.\n";
    }
    return answer;
}
