#include <filesystem>
#include <optional>
#include <utility>

#include "platform/argument_limits.h"
#include "platform/desktop_handler.h"
#include "platform/detached_spawn.h"
#include "platform/exec_line.h"
#include "platform/gio_library_posix.h"
#include "platform/shell.h"
#include "platform/terminal.h"

namespace platform {
namespace {

using namespace shell_code;

// GIO, once a handler is being looked up or exists: find() has loaded it by then.
const GioLibrary& gio() {
    return *gioLibrary();
}

struct GObjectRelease {
    void operator()(void* object) const { gio().objectUnref(object); }
};
struct GErrorRelease {
    void operator()(GError* error) const { g_error_free(error); }
};
struct GFreeRelease {
    void operator()(void* memory) const { g_free(memory); }
};
using File = std::unique_ptr<GFile, GObjectRelease>;
using Error = std::unique_ptr<GError, GErrorRelease>;
using Text = std::unique_ptr<char, GFreeRelease>;

// A file or folder that is not there: a missing folder on the way is a path not found.
std::int32_t missingCode(GFile* file) {
    const File folder(gio().fileGetParent(file));
    const bool folderThere =
        folder == nullptr || gio().fileQueryFileType(folder.get(), G_FILE_QUERY_INFO_NONE,
                                                     nullptr) == G_FILE_TYPE_DIRECTORY;
    return folderThere ? FileNotFound : PathNotFound;
}

std::int32_t lookupCode(const GError& error, GFile* file) {
    if (error.domain != gio().ioErrorQuark()) {
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

GAppInfo* appInfo(const std::shared_ptr<void>& application) {
    return static_cast<GAppInfo*>(application.get());
}

GDesktopAppInfo* desktopInfo(const std::shared_ptr<void>& application) {
    return static_cast<GDesktopAppInfo*>(application.get());
}

std::string entryString(GDesktopAppInfo* info, const char* key) {
    const Text value(gio().desktopAppInfoGetString(info, key));
    return value != nullptr ? value.get() : "";
}

}  // namespace

DesktopHandler::DesktopHandler(std::shared_ptr<void> application, std::string uri)
    : application_(std::move(application)), uri_(std::move(uri)) {}

std::variant<DesktopHandler, std::int32_t> DesktopHandler::find(const std::string& target) {
    if (gioLibrary() == nullptr) {
        return NoAssociation;
    }
    const Text scheme(g_uri_parse_scheme(target.c_str()));
    File file;
    if (scheme == nullptr) {
        file.reset(gio().fileNewForPath(target.c_str()));
    } else if (g_ascii_strcasecmp(scheme.get(), "file") == 0) {
        file.reset(gio().fileNewForUri(target.c_str()));
    }

    GAppInfo* found = nullptr;
    std::string uri = target;
    if (file == nullptr) {
        found = gio().appInfoGetDefaultForUriScheme(scheme.get());
    } else {
        GError* failure = nullptr;
        const std::unique_ptr<GFileInfo, GObjectRelease> info(
            gio().fileQueryInfo(file.get(), G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE,
                                G_FILE_QUERY_INFO_NONE, nullptr, &failure));
        if (info == nullptr) {
            const Error error(failure);
            return lookupCode(*error, file.get());
        }
        const char* type = gio().fileInfoGetContentType(info.get());
        found = type != nullptr ? gio().appInfoGetDefaultForType(type, FALSE) : nullptr;
        uri = Text(gio().fileGetUri(file.get())).get();
    }
    if (found == nullptr) {
        return NoAssociation;
    }
    std::shared_ptr<void> application(found, GObjectRelease{});
    if (gio().typeCheckInstanceIsA(reinterpret_cast<GTypeInstance*>(found),
                                   gio().desktopAppInfoGetType()) == FALSE) {
        return InvalidAssociation;
    }
    return DesktopHandler(std::move(application), std::move(uri));
}

std::string DesktopHandler::name() const {
    return gio().appInfoGetName(appInfo(application_));
}

std::string DesktopHandler::desktopEntry() const {
    const char* entry = gio().desktopAppInfoGetFilename(desktopInfo(application_));
    return entry != nullptr ? entry : "";
}

// The entry's Exec line made into words, in the terminal the entry may ask for.
std::vector<std::string> DesktopHandler::command() const {
    GDesktopAppInfo* info = desktopInfo(application_);
    const char* exec = gio().appInfoGetCommandline(appInfo(application_));
    if (exec == nullptr) {
        return {};
    }
    const Text path(g_filename_from_uri(uri_.c_str(), nullptr, nullptr));
    const std::optional<std::vector<std::string>> words =
        execCommand(exec, {path != nullptr ? path.get() : "", uri_, entryString(info, "Icon"),
                           name(), desktopEntry()});
    if (!words) {
        return {};
    }
    std::vector<std::string> command;
    if (gio().desktopAppInfoGetBoolean(info, "Terminal") != FALSE) {
        command = terminalCommand();
        if (command.empty()) {
            return {};
        }
    }
    command.insert(command.end(), words->begin(), words->end());
    return command;
}

std::variant<DesktopHandler::Start, std::int32_t> DesktopHandler::start(
    const std::string& directory) const {
    std::vector<std::string> arguments = command();
    if (arguments.empty()) {
        return InvalidAssociation;
    }
    const Text program(g_find_program_in_path(arguments.front().c_str()));
    if (program == nullptr) {
        return InvalidAssociation;
    }
    // An application that names a folder of its own runs there; one that is gone cannot start.
    const std::string own = entryString(desktopInfo(application_), "Path");
    const std::string folder = own.empty() ? directory : own;
    std::error_code ignored;
    if (!std::filesystem::is_directory(folder, ignored)) {
        return own.empty() ? PathNotFound : InvalidAssociation;
    }
    if (!argumentsFit(program.get(), arguments)) {
        return CommandLineTooLong;
    }
    return Start{program.get(), std::move(arguments), folder};
}

std::int32_t DesktopHandler::open(const std::string& directory) const {
    const std::variant<Start, std::int32_t> planned = start(directory);
    if (const auto* refusal = std::get_if<std::int32_t>(&planned)) {
        return *refusal;
    }
    const Start& command = std::get<Start>(planned);
    const int error = startDetached(command.program, command.arguments, command.folder);
    return error == 0 ? Accepted : startCode(error);
}

}  // namespace platform
