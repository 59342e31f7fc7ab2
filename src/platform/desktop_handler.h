#pragma once
// The application the desktop opens a document, a folder or a web address with: GIO's lookup
// of the default application, the one file managers use (the user's mimeapps.list, then the
// applications installed for the type or the address's scheme). Finding the application is
// apart from starting it, so that what an entry would open can be told without opening it.

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace platform {

class DesktopHandler {
  public:
    // The application for an absolute path, or for an address with a scheme ("https:",
    // "mailto:"; a "file:" address is the path it names). When there is none, the shell's code
    // why: 2 or 3 for a file or folder that is not there, 31 for a type nothing opens.
    static std::variant<DesktopHandler, std::int32_t> find(const std::string& target);

    // Its name as menus show it, and the desktop entry that describes it.
    std::string name() const;
    std::string desktopEntry() const;
    // The command that opens the target: the entry's Exec line with its field codes filled in
    // (the target added when the line has no code for it), in a terminal when the entry asks
    // for one. Empty when there is none to run (no Exec line, as for an application started
    // only through D-Bus; one that does not parse; no terminal).
    std::vector<std::string> command() const;

    // What open() starts: the program found on the search path, its arguments (its own name
    // first) and the folder it runs in, `directory` unless the entry names a folder of its own.
    struct Start {
        std::string program;
        std::vector<std::string> arguments;
        std::string folder;
    };
    // The start, or the shell's code of why there can be none, found without starting anything:
    // the same answer open() acts on.
    std::variant<Start, std::int32_t> start(const std::string& directory) const;

    // Starts the command as Opalist starts programs (startDetached). The verdict is known as
    // soon as it has started or could not start, never by waiting for it: accepted, or the
    // shell's code of why it could not.
    std::int32_t open(const std::string& directory) const;

  private:
    DesktopHandler(std::shared_ptr<void> application, std::string uri);

    std::shared_ptr<void> application_;  // the GDesktopAppInfo
    std::string uri_;
};

}  // namespace platform
