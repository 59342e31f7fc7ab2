#include "platform/program_arguments.h"

#include "platform/argument_split.h"

namespace platform {

std::vector<std::string> programArguments(const std::string& parameters) {
    std::vector<std::string> arguments = splitArguments(parameters);
    for (std::string& argument : arguments) {
        if (argument.starts_with("/-")) {
            argument.erase(0, 1);
        }
    }
    return arguments;
}

}  // namespace platform
