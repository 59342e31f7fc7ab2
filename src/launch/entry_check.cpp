#include "launch/entry_check.h"

#include <optional>
#include <string_view>

#include "launch/command_line.h"
#include "launch/launch_message.h"
#include "launch/shown_text.h"

namespace launch {
namespace {

struct Labels {
    const char* file;
    const char* argument;
    const char* opens;
    const char* runs;
    const char* command;
    const char* through;
    const char* warning;
    const char* othersCanChange;
    const char* actsOn;
    const char* verdict;
    const char* skipped;
    const char* ok;
    // The count of failures: before the failures, between them and the entries, after those.
    const char* countBefore;
    const char* countBetween;
    const char* countAfter;
};
constexpr Bilingual<Labels> AllLabels{
    {"file", "argument", "opens with", "runs as a program", "command", "runs through", "warning",
     "another user can change this file", "acts on these characters in the arguments:", "verdict",
     "empty: skipped at launch", "ok", "", " of ", " entries would fail\n"},
    {"soubor", "argument", "otevře", "spustí se jako program", "příkaz", "spustí se přes",
     "varování", "tento soubor může změnit jiný uživatel", "v argumentech reaguje na tyto znaky:",
     "výsledek", "prázdná: při spuštění se přeskočí", "ok", "Selhalo by ", " z ", " položek\n"}};

// The characters a command interpreter such as cmd.exe acts on rather than passing them on.
constexpr std::string_view InterpreterCharacters = "&|<>^%";

// The words of a command as a shell would read them back: a word with a space or a quote in
// single quotes, so that where one word ends is seen.
std::string commandText(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        text += text.empty() ? "" : " ";
        if (!word.empty() && word.find_first_of(" \t'\"\\") == std::string::npos) {
            text += word;
            continue;
        }
        text += '\'';
        for (const char c : word) {
            text += c == '\'' ? std::string("'\\''") : std::string(1, c);
        }
        text += '\'';
    }
    return text;
}

// Each interpreter character the parameters hold, once, in the order they first appear.
std::string actedOn(const std::string& parameters) {
    std::string found;
    for (const char c : parameters) {
        if (InterpreterCharacters.find(c) != std::string_view::npos &&
            found.find(c) == std::string::npos) {
            found += found.empty() ? "" : " ";
            found += c;
        }
    }
    return found;
}

void describeOpening(std::string& out, const Labels& labels, const platform::ShellPlan& planned,
                     const std::string& parameters) {
    if (!planned.opensWith.empty()) {
        addReportLine(out, planned.runsAsProgram ? labels.runs : labels.opens, planned.opensWith);
    }
    if (!planned.command.empty()) {
        addReportLine(out, labels.command, commandText(planned.command));
    }
    if (!planned.interpreter.empty()) {
        addReportLine(out, labels.through, planned.interpreter);
        if (const std::string characters = actedOn(parameters); !characters.empty()) {
            addReportLine(out, labels.warning,
                          planned.interpreter + ' ' + labels.actsOn + ' ' + characters);
        }
    }
    if (planned.othersCanChange) {
        addReportLine(out, labels.warning, labels.othersCanChange);
    }
}

std::string failureCount(const Labels& labels, int failures, std::size_t entries) {
    return labels.countBefore + std::to_string(failures) + labels.countBetween +
           std::to_string(entries) + labels.countAfter;
}

}  // namespace

ListCheck checkEntries(const std::vector<std::string>& entries, Language language,
                       char pathSeparator, const Planner& plan) {
    const Labels& labels = AllLabels[language];
    ListCheck check;
    for (std::size_t index = 0; index < entries.size(); ++index) {
        const std::string& entry = entries[index];
        check.report += std::to_string(index + 1) + ". " + shownText(entry) + '\n';
        const std::optional<SplitCommand> command = splitCommandLine(entry, true);
        if (!command) {
            addReportLine(check.report, labels.verdict, labels.skipped);
            continue;
        }
        const platform::ShellPlan planned =
            holdsNul(*command) ? platform::ShellPlan{platform::shell_code::NulInCommandLine, {}, {}}
                               : plan({0, "Open", command->file, command->parameters,
                                       shellDirectory(pathSeparator), 1});
        addReportLine(check.report, labels.file, command->file);
        for (std::size_t n = 0; n < planned.arguments.size(); ++n) {
            addReportLine(check.report, std::string(labels.argument) + ' ' + std::to_string(n + 1),
                          planned.arguments[n]);
        }
        describeOpening(check.report, labels, planned, command->parameters);
        const bool accepted = planned.code > 32;
        addReportLine(check.report, labels.verdict,
                      accepted ? labels.ok : launchMessage(planned.code, language));
        check.failures += accepted ? 0 : 1;
    }
    check.report += failureCount(labels, check.failures, entries.size());
    return check;
}

}  // namespace launch
