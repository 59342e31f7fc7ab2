#include "platform/terminal.h"

#include <glib.h>

namespace platform {

std::vector<std::string> terminalCommand() {
    for (const char* name : {"x-terminal-emulator", "xterm"}) {
        if (gchar* path = g_find_program_in_path(name)) {
            std::vector<std::string> command{path, "-e"};
            g_free(path);
            return command;
        }
    }
    return {};
}

}  // namespace platform
