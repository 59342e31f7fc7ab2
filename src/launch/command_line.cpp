#include "launch/command_line.h"

#include <vector>

namespace launch {
namespace {

// Spaces only: tabs and other white space belong to the text.
std::string trimSpaces(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// One mark at each end, tested independently.
std::string unquote(std::string text) {
    if (!text.empty() && text.front() == '"') {
        text.erase(0, 1);
    }
    if (!text.empty() && text.back() == '"') {
        text.pop_back();
    }
    return text;
}

std::vector<std::string> cutAtSlashes(const std::string& text) {
    std::vector<std::string> pieces;
    std::string::size_type start = 0;
    for (auto slash = text.find('/'); slash != std::string::npos; slash = text.find('/', start)) {
        pieces.push_back(text.substr(start, slash - start));
        start = slash + 1;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

}  // namespace

std::optional<SplitCommand> splitCommandLine(const std::string& DocName, bool split) {
    if (!split && DocName.find("//") != std::string::npos) {
        return SplitCommand{DocName, {}};
    }
    if (DocName.empty()) {
        return std::nullopt;
    }
    const std::vector<std::string> pieces = cutAtSlashes(DocName);
    SplitCommand result{unquote(trimSpaces(pieces.front())), {}};
    // Every parameter is "/" and its text, one space between two of them.
    for (auto piece = pieces.begin() + 1; piece != pieces.end(); ++piece) {
        if (!result.parameters.empty()) {
            result.parameters += ' ';
        }
        result.parameters += '/';
        result.parameters += unquote(trimSpaces(*piece));
    }
    return result;
}

bool holdsNul(const SplitCommand& command) {
    return command.file.find('\0') != std::string::npos ||
           command.parameters.find('\0') != std::string::npos;
}

std::string shellDirectory(char pathSeparator) {
    return pathSeparator == '\\' ? "C:\\" : "/";
}

}  // namespace launch
