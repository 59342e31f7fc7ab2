#pragma once
// A desktop entry's Exec line made into the command that opens one document or address, as GIO
// makes it: each field code filled in with its value quoted, the document added at the end
// when the line has no code for it, then the line split by the shell's quoting rules it is
// written in. Nothing is run through a shell.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct ExecFields {
    std::string file;          // the document's path; empty when the target is not a local file
    std::string uri;           // the document or address as a URI
    std::string icon;          // the entry's Icon, may be empty
    std::string name;          // the application's name
    std::string desktopEntry;  // the entry's file
};

// The words of the command; nothing when the line does not split (an open quote).
std::optional<std::vector<std::string>> execCommand(std::string_view exec,
                                                    const ExecFields& fields);
// The words of a line started with no document, as at log-on: every field code left out
// ("%%" stays a percent sign) and nothing added.
std::optional<std::vector<std::string>> execCommandAlone(std::string_view exec);

}  // namespace platform
