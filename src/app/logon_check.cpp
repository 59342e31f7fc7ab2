#include "app/logon_check.h"

#include <algorithm>

#include "launch/launch_message.h"
#include "launch/shown_text.h"

namespace {

// What the guard of the next start does with the entry, or nothing.
const logon::GuardEvent* eventOf(const logon::LogonPrograms& programs, const std::string& name) {
    const auto& events = programs.events();
    const auto found = std::find_if(events.begin(), events.end(), [&](const auto& event) {
        return event.name == name && event.kind != logon::GuardEvent::Kind::New;
    });
    return found == events.end() ? nullptr : &*found;
}

struct CheckTexts {
    const char* heading;
    const char* command;
    const char* state;
    const char* verdict;
};
constexpr Bilingual<CheckTexts> CheckText{
    {"Log-on programs started by Opalist:", "command", "state", "verdict"},
    {"Programy po přihlášení, které spouští Opalist:", "příkaz", "stav", "výsledek"},
};

// The closing line: how many of all would fail.
std::string failuresLine(int failed, std::size_t all, Language language) {
    const std::string count = std::to_string(failed);
    const std::string total = std::to_string(all);
    return language == Language::English
               ? count + " of " + total + " log-on programs would fail\n"
               : "Selhalo by " + count + " z " + total + " programů po přihlášení\n";
}

}  // namespace

LogonCheck checkLogonPrograms(const logon::LogonPrograms& programs, Language language) {
    const CheckTexts& text = CheckText[language];
    LogonCheck check;
    const std::vector<logon::TakenOver>& taken = programs.takenOver();
    for (const std::string& problem : programs.problems()) {
        check.report += launch::shownText(problem) + '\n';
    }
    if (taken.empty()) {
        return check;
    }
    check.report += std::string(text.heading) + '\n';
    for (std::size_t index = 0; index < taken.size(); ++index) {
        check.report +=
            std::to_string(index + 1) + ". " + launch::shownText(taken[index].name) + '\n';
        const logon::StartPlan plan = programs.planStart(taken[index]);
        launch::addReportLine(check.report, text.command, plan.commandLine);
        const logon::GuardEvent* event = eventOf(programs, taken[index].name);
        launch::addReportLine(check.report, text.state,
                              event != nullptr ? logon::guardEventText(*event, language)
                                               : std::string(logon::stateText(
                                                     logon::State::StartedByOpalist, language)));
        const bool accepted = plan.code > 32;
        launch::addReportLine(check.report, text.verdict,
                              accepted ? "ok" : launch::launchMessage(plan.code, language));
        check.failures += accepted ? 0 : 1;
    }
    check.report += failuresLine(check.failures, taken.size(), language);
    return check;
}
