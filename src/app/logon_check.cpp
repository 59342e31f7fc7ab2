#include "app/logon_check.h"

#include <algorithm>

#include "launch/launch_message.h"
#include "launch/shown_text.h"

namespace {

void line(std::string& out, const char* label, const std::string& value) {
    out += "   ";
    out += label;
    out += ": ";
    out += launch::shownText(value);
    out += '\n';
}

// What the guard of the next start does with the entry, or nothing.
const logon::GuardEvent* eventOf(const logon::LogonPrograms& programs, const std::string& name) {
    const auto& events = programs.events();
    const auto found = std::find_if(events.begin(), events.end(), [&](const auto& event) {
        return event.name == name && event.kind != logon::GuardEvent::Kind::New;
    });
    return found == events.end() ? nullptr : &*found;
}

}  // namespace

LogonCheck checkLogonPrograms(const logon::LogonPrograms& programs, bool english) {
    LogonCheck check;
    const std::vector<logon::TakenOver>& taken = programs.takenOver();
    for (const std::string& problem : programs.problems()) {
        check.report += launch::shownText(problem) + '\n';
    }
    if (taken.empty()) {
        return check;
    }
    check.report += english ? "Log-on programs started by Opalist:\n"
                            : "Programy po přihlášení, které spouští Opalist:\n";
    for (std::size_t index = 0; index < taken.size(); ++index) {
        check.report +=
            std::to_string(index + 1) + ". " + launch::shownText(taken[index].name) + '\n';
        const logon::StartPlan plan = programs.planStart(taken[index]);
        line(check.report, english ? "command" : "příkaz", plan.commandLine);
        const logon::GuardEvent* event = eventOf(programs, taken[index].name);
        line(check.report, english ? "state" : "stav",
             event != nullptr
                 ? logon::guardEventText(*event, english)
                 : std::string(logon::stateText(logon::State::StartedByOpalist, english)));
        const bool accepted = plan.code > 32;
        line(check.report, english ? "verdict" : "výsledek",
             accepted ? "ok" : launch::launchMessage(plan.code, english));
        check.failures += accepted ? 0 : 1;
    }
    const std::string failed = std::to_string(check.failures);
    const std::string all = std::to_string(taken.size());
    check.report += english ? failed + " of " + all + " log-on programs would fail\n"
                            : "Selhalo by " + failed + " z " + all + " programů po přihlášení\n";
    return check;
}
