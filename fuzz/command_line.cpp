// Splitting a command line, from any bytes: the file part holds no "/" and comes from the
// first piece; every "/" of the line starts one parameter; without splitting the line passes
// whole.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "check.h"
#include "launch/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte's lowest bit is the split flag.
    const bool split = (data[0] & 1) != 0;
    const std::string line(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::optional<launch::SplitCommand> command = launch::splitCommandLine(line, split);

    if (!split && line.find("//") != std::string::npos) {
        FUZZ_CHECK(command && command->file == line && command->parameters.empty());
        return 0;
    }
    if (line.empty()) {
        FUZZ_CHECK(!command);
        return 0;
    }
    FUZZ_CHECK(command);
    const std::string firstPiece = line.substr(0, line.find('/'));
    FUZZ_CHECK(firstPiece.find(command->file) != std::string::npos);
    FUZZ_CHECK(command->file.find('/') == std::string::npos);
    // Spaces stay at the file's ends only inside the quotation marks that were removed.
    if (!command->file.empty() && (command->file.front() == ' ' || command->file.back() == ' ')) {
        FUZZ_CHECK(firstPiece.find('"') != std::string::npos);
    }
    FUZZ_CHECK(std::count(command->parameters.begin(), command->parameters.end(), '/') ==
               std::count(line.begin(), line.end(), '/'));
    FUZZ_CHECK(command->parameters.empty() || command->parameters.front() == '/');
    return 0;
}
