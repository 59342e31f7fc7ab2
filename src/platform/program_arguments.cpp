#include "platform/program_arguments.h"

#include <algorithm>

#include "platform/argument_split.h"

namespace platform {

std::vector<std::string> programArguments(const std::string& parameters) {
    std::vector<std::string> arguments = splitArguments(parameters);
    for (std::string& argument : arguments) {
        if (argument.starts_with('/')) {
            argument.erase(0, 1);
        }
        if (argument.starts_with('\\')) {
            std::replace(argument.begin(), argument.end(), '\\', '/');
        }
    }
    return arguments;
}

}  // namespace platform
