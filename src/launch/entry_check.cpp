#include "launch/entry_check.h"

#include <optional>

#include "launch/command_line.h"
#include "launch/launch_message.h"

namespace launch {
namespace {

struct Labels {
    const char* file;
    const char* argument;
    const char* opens;
    const char* verdict;
    const char* skipped;
    const char* ok;
};
constexpr Labels English{"file", "argument", "opens with", "verdict", "empty: skipped at launch",
                         "ok"};
constexpr Labels Czech{
    "soubor", "argument", "otevře", "výsledek", "prázdná: při spuštění se přeskočí", "ok"};

// Control characters shown as "\xNN", so that a NUL or a line end in an entry is seen, not
// acted on by the terminal.
std::string printable(const std::string& text) {
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            constexpr char Hex[] = "0123456789ABCDEF";
            shown += "\\x";
            shown += Hex[byte >> 4];
            shown += Hex[byte & 0xf];
        } else {
            shown += c;
        }
    }
    return shown;
}

void line(std::string& out, const std::string& label, const std::string& value) {
    out += "   ";
    out += label;
    out += ": ";
    out += printable(value);
    out += '\n';
}

std::string failureCount(int failures, std::size_t entries, bool english) {
    const std::string failed = std::to_string(failures);
    const std::string all = std::to_string(entries);
    return english ? failed + " of " + all + " entries would fail\n"
                   : "Selhalo by " + failed + " z " + all + " položek\n";
}

}  // namespace

ListCheck checkEntries(const std::vector<std::string>& entries, bool english, char pathSeparator,
                       const Planner& plan) {
    const Labels& labels = english ? English : Czech;
    ListCheck check;
    for (std::size_t index = 0; index < entries.size(); ++index) {
        const std::string& entry = entries[index];
        check.report += std::to_string(index + 1) + ". " + printable(entry) + '\n';
        const std::optional<SplitCommand> command = splitCommandLine(entry, true);
        if (!command) {
            line(check.report, labels.verdict, labels.skipped);
            continue;
        }
        const platform::ShellPlan planned =
            holdsNul(*command) ? platform::ShellPlan{platform::shell_code::NulInCommandLine, {}, {}}
                               : plan({0, "Open", command->file, command->parameters,
                                       shellDirectory(pathSeparator), 1});
        line(check.report, labels.file, command->file);
        for (std::size_t n = 0; n < planned.arguments.size(); ++n) {
            line(check.report, std::string(labels.argument) + ' ' + std::to_string(n + 1),
                 planned.arguments[n]);
        }
        if (!planned.opensWith.empty()) {
            line(check.report, labels.opens, planned.opensWith);
        }
        const bool accepted = planned.code > 32;
        line(check.report, labels.verdict,
             accepted ? labels.ok : launchMessage(planned.code, english));
        check.failures += accepted ? 0 : 1;
    }
    check.report += failureCount(check.failures, entries.size(), english);
    return check;
}

}  // namespace launch
