#pragma once
// GIO and GObject, loaded the first time a document or an address is looked up rather than
// linked: most launch lists hold only programs, and loading them at every start costs start-up
// time and memory. GLib itself stays linked (Qt maps it anyway).

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <optional>

namespace platform {

// The GIO and GObject functions the desktop handler uses, typed as GIO declares them.
struct GioLibrary {
    decltype(&g_object_unref) objectUnref;
    decltype(&g_type_check_instance_is_a) typeCheckInstanceIsA;
    decltype(&g_io_error_quark) ioErrorQuark;
    decltype(&g_file_new_for_path) fileNewForPath;
    decltype(&g_file_new_for_uri) fileNewForUri;
    decltype(&g_file_get_parent) fileGetParent;
    decltype(&g_file_get_uri) fileGetUri;
    decltype(&g_file_query_file_type) fileQueryFileType;
    decltype(&g_file_query_info) fileQueryInfo;
    decltype(&g_file_info_get_content_type) fileInfoGetContentType;
    decltype(&g_content_type_is_a) contentTypeIsA;
    decltype(&g_content_type_can_be_executable) contentTypeCanBeExecutable;
    decltype(&g_app_info_get_default_for_type) appInfoGetDefaultForType;
    decltype(&g_app_info_get_default_for_uri_scheme) appInfoGetDefaultForUriScheme;
    decltype(&g_app_info_get_name) appInfoGetName;
    decltype(&g_app_info_get_commandline) appInfoGetCommandline;
    decltype(&g_desktop_app_info_get_type) desktopAppInfoGetType;
    decltype(&g_desktop_app_info_get_filename) desktopAppInfoGetFilename;
    decltype(&g_desktop_app_info_get_string) desktopAppInfoGetString;
    decltype(&g_desktop_app_info_get_boolean) desktopAppInfoGetBoolean;
};

// Every function from the shared library `file` (loaded and kept for the rest of the run), or
// nothing when it cannot be loaded or lacks one of them.
std::optional<GioLibrary> loadGioLibrary(const char* file);

// libgio-2.0.so.0, loaded on the first call only; null when it cannot be loaded.
const GioLibrary* gioLibrary();

}  // namespace platform
