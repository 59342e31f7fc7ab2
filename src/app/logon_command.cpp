#include "app/logon_command.h"

#include "launch/shown_text.h"

namespace {

using Action = CommandOptions::Action;

void line(std::string& out, const char* label, const std::string& value) {
    out += "   ";
    out += label;
    out += ": ";
    out += launch::shownText(value);
    out += '\n';
}

}  // namespace

std::string logonListText(const logon::LogonPrograms& programs, bool english) {
    std::string out;
    for (const logon::Entry& entry : programs.entries()) {
        out += launch::shownText(entry.name);
        out += entry.isNew ? (english ? " (new)\n" : " (nová)\n") : "\n";
        line(out, english ? "command" : "příkaz", entry.commandLine);
        line(out, english ? "from" : "odkud",
             std::string(logon::sourceText(entry.source, english)) + ": " + entry.location);
        std::string state(logon::stateText(entry.state, english));
        if (const std::string why = logon::reasonText(entry.reason, entry.detail, english);
            !why.empty()) {
            state += ": " + why;
        }
        line(out, english ? "state" : "stav", state);
    }
    if (programs.entries().empty()) {
        out += english ? "No log-on entries were found.\n" : "Nebyly nalezeny žádné položky.\n";
    }
    for (const logon::GuardEvent& event : programs.events()) {
        out += launch::shownText(logon::guardEventText(event, english)) + '\n';
    }
    for (const std::string& problem : programs.problems()) {
        out += launch::shownText(problem) + '\n';
    }
    return out;
}

CommandAnswer answerLogonCommand(const CommandOptions& options, logon::LogonPrograms& programs,
                                 const std::string& program) {
    if (options.action == Action::LogonList) {
        return {logonListText(programs, true), {}, 0};
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
            answer.error +=
                program + ": " + launch::shownText(logon::outcomeText(outcome, true)) + '\n';
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
