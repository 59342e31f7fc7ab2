#include "platform/gio_library_posix.h"

#include <dlfcn.h>

namespace platform {
namespace {

template <typename Function>
bool resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

}  // namespace

std::optional<GioLibrary> loadGioLibrary(const char* file) {
    // Never closed: GObject's types cannot be unloaded once registered.
    void* library = dlopen(file, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        return std::nullopt;
    }
    GioLibrary gio{};
    const bool complete =
        resolve(library, "g_object_unref", gio.objectUnref) &&
        resolve(library, "g_type_check_instance_is_a", gio.typeCheckInstanceIsA) &&
        resolve(library, "g_io_error_quark", gio.ioErrorQuark) &&
        resolve(library, "g_file_new_for_path", gio.fileNewForPath) &&
        resolve(library, "g_file_new_for_uri", gio.fileNewForUri) &&
        resolve(library, "g_file_get_parent", gio.fileGetParent) &&
        resolve(library, "g_file_get_uri", gio.fileGetUri) &&
        resolve(library, "g_file_query_file_type", gio.fileQueryFileType) &&
        resolve(library, "g_file_query_info", gio.fileQueryInfo) &&
        resolve(library, "g_file_info_get_content_type", gio.fileInfoGetContentType) &&
        resolve(library, "g_content_type_is_a", gio.contentTypeIsA) &&
        resolve(library, "g_content_type_can_be_executable", gio.contentTypeCanBeExecutable) &&
        resolve(library, "g_app_info_get_default_for_type", gio.appInfoGetDefaultForType) &&
        resolve(library, "g_app_info_get_default_for_uri_scheme",
                gio.appInfoGetDefaultForUriScheme) &&
        resolve(library, "g_app_info_get_name", gio.appInfoGetName) &&
        resolve(library, "g_app_info_get_commandline", gio.appInfoGetCommandline) &&
        resolve(library, "g_desktop_app_info_get_type", gio.desktopAppInfoGetType) &&
        resolve(library, "g_desktop_app_info_get_filename", gio.desktopAppInfoGetFilename) &&
        resolve(library, "g_desktop_app_info_get_string", gio.desktopAppInfoGetString) &&
        resolve(library, "g_desktop_app_info_get_boolean", gio.desktopAppInfoGetBoolean);
    if (!complete) {
        return std::nullopt;
    }
    return gio;
}

const GioLibrary* gioLibrary() {
    static const std::optional<GioLibrary> gio = loadGioLibrary("libgio-2.0.so.0");
    return gio ? &*gio : nullptr;
}

}  // namespace platform
