#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <utility>

#include "platform/desktop_handler.h"
#include "platform/detached_spawn.h"
#include "platform/shell.h"

namespace platform {
namespace {

using namespace shell_code;

struct GObjectRelease {
    void operator()(void* object) const { g_object_unref(object); }
};
struct GErrorRelease {
    void operator()(GError* error) const { g_error_free(error); }
};
struct GFreeRelease {
    void operator()(void* memory) const { g_free(memory); }
};
struct GStrvRelease {
    void operator()(char** strings) const { g_strfreev(strings); }
};
using File = std::unique_ptr<GFile, GObjectRelease>;
using Error = std::unique_ptr<GError, GErrorRelease>;
using Text = std::unique_ptr<char, GFreeRelease>;

// A file or folder that is not there: a missing folder on the way is a path not found.
std::int32_t missingCode(GFile* file) {
    const File folder(g_file_get_parent(file));
    const bool folderThere =
        folder == nullptr || g_file_query_file_type(folder.get(), G_FILE_QUERY_INFO_NONE,
                                                    nullptr) == G_FILE_TYPE_DIRECTORY;
    return folderThere ? FileNotFound : PathNotFound;
}

std::int32_t lookupCode(const GError& error, GFile* file) {
    if (error.domain != G_IO_ERROR) {
        return UnknownError;
    }
    switch (error.code) {
        case G_IO_ERROR_NOT_FOUND:
            return missingCode(file);
        case G_IO_ERROR_NOT_DIRECTORY:
        case G_IO_ERROR_FILENAME_TOO_LONG:
        case G_IO_ERROR_TOO_MANY_LINKS:
            return PathNotFound;
        case G_IO_ERROR_PERMISSION_DENIED:
            return AccessDenied;
        default:
            return UnknownError;
    }
}

// A handler that was found but cannot start (its folder is gone, its program cannot run) is a
// broken association; resource limits keep their own codes.
std::int32_t startCode(int error) {
    const std::int32_t code = shellCodeOf(error);
    return code == CommandLineTooLong || code == OutOfMemory ? code : InvalidAssociation;
}

std::string quoted(const std::string& text) {
    return Text(g_shell_quote(text.c_str())).get();
}

GDesktopAppInfo* desktopInfo(const std::shared_ptr<void>& application) {
    return static_cast<GDesktopAppInfo*>(application.get());
}

std::string entryString(GDesktopAppInfo* info, const char* key) {
    const Text value(g_desktop_app_info_get_string(info, key));
    return value != nullptr ? value.get() : "";
}

// The terminal an application that asks for one runs in: the system's choice, else xterm.
std::vector<std::string> terminal() {
    for (const char* name : {"x-terminal-emulator", "xterm"}) {
        if (const Text path{g_find_program_in_path(name)}) {
            return {path.get(), "-e"};
        }
    }
    return {};
}

}  // namespace

DesktopHandler::DesktopHandler(std::shared_ptr<void> application, std::string uri)
    : application_(std::move(application)), uri_(std::move(uri)) {}

std::variant<DesktopHandler, std::int32_t> DesktopHandler::find(const std::string& target) {
    const Text scheme(g_uri_parse_scheme(target.c_str()));
    File file;
    if (scheme == nullptr) {
        file.reset(g_file_new_for_path(target.c_str()));
    } else if (g_ascii_strcasecmp(scheme.get(), "file") == 0) {
        file.reset(g_file_new_for_uri(target.c_str()));
    }

    GAppInfo* found = nullptr;
    std::string uri = target;
    if (file == nullptr) {
        found = g_app_info_get_default_for_uri_scheme(scheme.get());
    } else {
        GError* failure = nullptr;
        const std::unique_ptr<GFileInfo, GObjectRelease> info(
            g_file_query_info(file.get(), G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE,
                              G_FILE_QUERY_INFO_NONE, nullptr, &failure));
        if (info == nullptr) {
            const Error error(failure);
            return lookupCode(*error, file.get());
        }
        const char* type = g_file_info_get_content_type(info.get());
        found = type != nullptr ? g_app_info_get_default_for_type(type, FALSE) : nullptr;
        uri = Text(g_file_get_uri(file.get())).get();
    }
    if (found == nullptr) {
        return NoAssociation;
    }
    std::shared_ptr<void> application(found, GObjectRelease{});
    if (!G_IS_DESKTOP_APP_INFO(found)) {
        return InvalidAssociation;
    }
    return DesktopHandler(std::move(application), std::move(uri));
}

std::string DesktopHandler::name() const {
    return g_app_info_get_name(G_APP_INFO(desktopInfo(application_)));
}

std::string DesktopHandler::desktopEntry() const {
    const char* entry = g_desktop_app_info_get_filename(desktopInfo(application_));
    return entry != nullptr ? entry : "";
}

// The Exec line's field codes filled in as GIO fills them in (each value quoted), then split
// by the shell's quoting rules that the line is written in.
std::vector<std::string> DesktopHandler::command() const {
    GDesktopAppInfo* info = desktopInfo(application_);
    const char* exec = g_app_info_get_commandline(G_APP_INFO(info));
    if (exec == nullptr) {
        return {};
    }
    const Text path(g_filename_from_uri(uri_.c_str(), nullptr, nullptr));
    std::string line;
    for (const char* c = exec; *c != '\0'; ++c) {
        if (*c != '%' || c[1] == '\0') {
            line += *c;
            continue;
        }
        switch (*++c) {
            case 'f':
            case 'F':
                line += quoted(path != nullptr ? path.get() : uri_);
                break;
            case 'u':
            case 'U':
                line += quoted(uri_);
                break;
            case 'i':
                if (const std::string icon = entryString(info, "Icon"); !icon.empty()) {
                    line += "--icon " + quoted(icon);
                }
                break;
            case 'c':
                line += quoted(name());
                break;
            case 'k':
                line += quoted(desktopEntry());
                break;
            case '%':
                line += '%';
                break;
            default:
                break;  // the codes the format no longer uses
        }
    }
    char** words = nullptr;
    if (g_shell_parse_argv(line.c_str(), nullptr, &words, nullptr) == FALSE) {
        return {};
    }
    const std::unique_ptr<char*, GStrvRelease> owned(words);
    std::vector<std::string> command;
    if (g_desktop_app_info_get_boolean(info, "Terminal") != FALSE) {
        command = terminal();
        if (command.empty()) {
            return {};
        }
    }
    for (char** word = words; *word != nullptr; ++word) {
        command.emplace_back(*word);
    }
    return command;
}

std::int32_t DesktopHandler::open(const std::string& directory) const {
    std::vector<std::string> arguments = command();
    if (arguments.empty()) {
        return InvalidAssociation;
    }
    const Text program(g_find_program_in_path(arguments.front().c_str()));
    if (program == nullptr) {
        return InvalidAssociation;
    }
    // An application that names a folder of its own runs there.
    const std::string folder = entryString(desktopInfo(application_), "Path");
    const int error = startDetached(program.get(), arguments, folder.empty() ? directory : folder);
    return error == 0 ? Accepted : startCode(error);
}

}  // namespace platform
