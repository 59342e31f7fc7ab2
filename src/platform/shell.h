#pragma once
// The shell's "Open" request: open a file (a program, a document, a folder or a web address)
// with a parameter string. Success returns a value above 32; 0 to 32 are error codes, those
// below the shell's own and two of Opalist's.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace platform {

namespace shell_code {
constexpr std::int32_t Accepted = 42;  // any value above 32
constexpr std::int32_t UnknownError = 0;
constexpr std::int32_t FileNotFound = 2;
constexpr std::int32_t PathNotFound = 3;
constexpr std::int32_t AccessDenied = 5;
constexpr std::int32_t OutOfMemory = 8;
constexpr std::int32_t InvalidExecutable = 11;
// Opalist's: a command line holding a NUL character, which would end its strings early and
// start a shorter command (Windows' "the data is invalid").
constexpr std::int32_t NulInCommandLine = 13;
// Opalist's: more arguments than the system lets a program start with (Windows' "bad length").
constexpr std::int32_t CommandLineTooLong = 24;
constexpr std::int32_t SharingViolation = 26;
constexpr std::int32_t InvalidAssociation = 27;
constexpr std::int32_t NoAssociation = 31;
}  // namespace shell_code

struct ShellRequest {
    std::uintptr_t owner = 0;
    std::string verb;
    std::string file;
    std::string parameters;
    std::string directory;
    int showCommand = 1;
};

// What a request would start, found exactly as shellExecute finds it, with nothing started.
// What only a start can tell (a program that the system then refuses) is not known here.
struct ShellPlan {
    ShellPlan() = default;
    ShellPlan(std::int32_t code, std::vector<std::string> arguments, std::string opensWith)
        : code(code), arguments(std::move(arguments)), opensWith(std::move(opensWith)) {}

    std::int32_t code = shell_code::Accepted;  // above 32: it would start; else why not
    std::vector<std::string> arguments;        // what a program gets after its own name
    std::string opensWith;       // the program, or the application that opens the document
    bool runsAsProgram = false;  // opensWith is the file itself, run as a program
    // The program that reads the arguments in its own way before the file gets them
    // (cmd.exe for a batch file); empty when the system hands them over as they are.
    std::string interpreter;
    bool othersCanChange = false;  // another user (not the system) can change the file
    // The command the application is started with, its program first; empty for a program.
    std::vector<std::string> command;
};

// The desktop window, the owner of every request.
std::uintptr_t desktopWindow();
std::int32_t shellExecute(const ShellRequest& request);
ShellPlan planShellRequest(const ShellRequest& request);

}  // namespace platform
