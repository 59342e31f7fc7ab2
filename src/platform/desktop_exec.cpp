#include "platform/desktop_exec.h"

namespace platform {

namespace {

// Characters that need a quoted argument; inside the quotes the last four take a backslash.
constexpr std::string_view Reserved = " \t\n\"'\\><~|&;$*?#()`";
constexpr std::string_view EscapedInQuotes = "\"`$\\";

}  // namespace

std::string desktopExec(std::string_view program) {
    std::string argument;
    const bool quoted = program.find_first_of(Reserved) != std::string_view::npos;
    for (const char c : program) {
        if (quoted && EscapedInQuotes.find(c) != std::string_view::npos) {
            argument += '\\';
        }
        argument += c;
        if (c == '%') {
            argument += '%';
        }
    }
    if (quoted) {
        argument = '"' + argument + '"';
    }
    // The value is a string: its own backslashes are escaped once more.
    std::string value;
    for (const char c : argument) {
        value += c;
        if (c == '\\') {
            value += '\\';
        }
    }
    return value;
}

std::string desktopExecProgram(std::string_view exec) {
    // The string's escapes first: \s, \t, \n, \r and \\.
    std::string command;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        if (exec[i] != '\\' || i + 1 == exec.size()) {
            command += exec[i];
            continue;
        }
        const char next = exec[++i];
        command += next == 's' ? ' ' : next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    std::string program;
    bool inQuotes = false;
    for (std::size_t i = command.find_first_not_of(" \t"); i < command.size(); ++i) {
        const char c = command[i];
        if (!inQuotes && (c == ' ' || c == '\t')) {
            break;
        }
        if (c == '"') {
            inQuotes = !inQuotes;
        } else if (inQuotes && c == '\\' && i + 1 < command.size()) {
            program += command[++i];
        } else if (c == '%' && i + 1 < command.size() && command[i + 1] == '%') {
            program += command[++i];
        } else {
            program += c;
        }
    }
    return program;
}

}  // namespace platform
