#pragma once
// The user's registry and Startup folder as a user's own tools change them, for the tests of
// the log-on programs on Windows: reg.exe and Opalist.exe run as a user types them, its export of a
// key, and a shortcut made the way Explorer makes one.

#include <filesystem>
#include <string>

namespace testing_support {

struct CommandOutput {
    int status = -1;
    std::string text;  // standard output and error, as the program wrote them
};
// Runs a command line as it is (no cmd.exe), in UTF-16 so that any name reaches the program;
// status -1 when it did not start or end within a minute.
CommandOutput runCommand(const std::wstring& command);

// Removes a value of the user's, if it is there ("HKCU\..." key), without starting reg.exe;
// for cleaning up.
void removeUserValue(const std::wstring& key, const std::wstring& name);

// reg.exe's export of a key (UTF-16, as reg writes it); empty when there is no such key.
std::string regExport(const std::wstring& key);

// A shortcut at path that opens target with the arguments in the folder.
bool makeShortcut(const std::filesystem::path& path, const std::filesystem::path& target,
                  const std::wstring& arguments, const std::filesystem::path& folder);

}  // namespace testing_support
