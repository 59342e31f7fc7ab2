// Splitting parameters into arguments the Windows way, from any bytes: no argument is longer
// than the text it came from, and quoting the arguments again gives a parameter string that
// splits back into the same arguments.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "check.h"
#include "platform/argument_split.h"

namespace {

// An argument as a Windows program expects it on its command line: as it is when it needs no
// quoting, else in quotation marks, with the backslashes before a quotation mark doubled.
std::string quoted(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) {
        return argument;
    }
    std::string text = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        text.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        text += c;
        backslashes = 0;
    }
    text.append(2 * backslashes, '\\');
    return text + '"';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string parameters(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> arguments = platform::splitArguments(parameters);

    std::size_t total = 0;
    std::string again;
    for (const std::string& argument : arguments) {
        total += argument.size();
        again += (again.empty() ? "" : " ") + quoted(argument);
    }
    FUZZ_CHECK(total <= parameters.size());
    FUZZ_CHECK(platform::splitArguments(again) == arguments);
    return 0;
}
