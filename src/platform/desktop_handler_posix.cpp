#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <signal.h>
#include <unistd.h>

#include <utility>

#include "platform/child_reaper.h"
#include "platform/desktop_handler.h"
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

// A handler that was found but cannot be started (its program, its folder or the terminal it
// asks for is missing) is a broken association; resource limits keep their own codes.
std::int32_t startCode(const GError& error) {
    if (error.domain == G_SPAWN_ERROR) {
        switch (error.code) {
            case G_SPAWN_ERROR_TOO_BIG:
                return CommandLineTooLong;
            case G_SPAWN_ERROR_NOMEM:
            case G_SPAWN_ERROR_FORK:
                return OutOfMemory;
            default:
                break;
        }
    }
    return InvalidAssociation;
}

struct ChildSetup {
    const char* directory;
    bool ownFolder;
};

// Runs in the started child, between fork and exec: only async-signal-safe calls.
void prepareChild(gpointer data) {
    const auto& setup = *static_cast<const ChildSetup*>(data);
    ::setsid();
    if (!setup.ownFolder && ::chdir(setup.directory) != 0) {
        ::_exit(127);
    }
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal) {
        ::sigaction(signal, &standard, nullptr);  // refused for the few that cannot be changed
    }
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
}

void handOver(GDesktopAppInfo*, GPid child, gpointer) {
    reapWhenDone(child);
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
    return g_app_info_get_name(static_cast<GAppInfo*>(application_.get()));
}

std::string DesktopHandler::desktopEntry() const {
    const char* entry =
        g_desktop_app_info_get_filename(static_cast<GDesktopAppInfo*>(application_.get()));
    return entry != nullptr ? entry : "";
}

std::int32_t DesktopHandler::open(const std::string& directory) const {
    auto* application = static_cast<GDesktopAppInfo*>(application_.get());
    if (!g_file_test(directory.c_str(), G_FILE_TEST_IS_DIR)) {
        return PathNotFound;
    }
    ChildSetup setup{directory.c_str(), g_desktop_app_info_has_key(application, "Path") != FALSE};
    GList uris{};
    uris.data = const_cast<char*>(uri_.c_str());
    const auto flags = static_cast<GSpawnFlags>(
        G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD | G_SPAWN_STDIN_FROM_DEV_NULL |
        G_SPAWN_STDOUT_TO_DEV_NULL | G_SPAWN_STDERR_TO_DEV_NULL);
    installChildReaper();
    GError* failure = nullptr;
    if (g_desktop_app_info_launch_uris_as_manager_with_fds(application, &uris, nullptr, flags,
                                                           prepareChild, &setup, handOver, nullptr,
                                                           -1, -1, -1, &failure) == FALSE) {
        const Error error(failure);
        return error != nullptr ? startCode(*error) : InvalidAssociation;
    }
    return Accepted;
}

}  // namespace platform
