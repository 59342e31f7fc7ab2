#pragma once
// The user's registry and Startup folder as a user's own tools change them, for the tests of
// the log-on programs on Windows: reg.exe and Opalist.exe run as a user types them, its export of a
// key, and a shortcut made the way Explorer makes one.

#include <filesystem>
#include <string>

namespace testing_support {

// The user's keys of the programs that start at log-on, and of Task Manager's switches of them.
inline const std::wstring RunKey = L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const std::wstring ApprovedRunKey =
    L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
inline const std::wstring ApprovedFolderKey =
    L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\"
    L"StartupFolder";
// A name beyond the code page: Czech and Japanese.
inline const std::wstring NonAsciiName = L"P\u0159ehr\u00E1va\u010D \u65E5\u672C";

// A program built beside the running test program.
std::filesystem::path builtBeside(const wchar_t* name);

struct CommandOutput {
    int status = -1;
    std::string text;  // standard output and error, as the program wrote them
};
// Runs a command line as it is (no cmd.exe), in UTF-16 so that any name reaches the program;
// status -1 when it did not start or end within a minute.
CommandOutput runCommand(const std::wstring& command);

// Adds a value of the user's with reg.exe ("REG_SZ"... as type); whether it did.
bool addUserValue(const std::wstring& key, const std::wstring& name, const wchar_t* type,
                  const std::wstring& data);
// Makes Task Manager's keys, as Windows keeps them once Task Manager has been opened.
void makeApprovedKeys();

// Removes a value of the user's, if it is there ("HKCU\..." key), without starting reg.exe;
// for cleaning up.
void removeUserValue(const std::wstring& key, const std::wstring& name);

// reg.exe's export of a key (UTF-16, as reg writes it); empty when there is no such key.
std::string regExport(const std::wstring& key);

// A shortcut at path that opens target with the arguments in the folder.
bool makeShortcut(const std::filesystem::path& path, const std::filesystem::path& target,
                  const std::wstring& arguments, const std::filesystem::path& folder);

}  // namespace testing_support
