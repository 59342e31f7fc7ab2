#include <fcntl.h>
#include <unistd.h>

#include <memory>

#include "platform/gio_library_posix.h"
#include "platform/program_file.h"

namespace platform {
namespace {

// A name with a dot may match a type's pattern ("*.pdf"), which then decides over the content.
bool nameCouldGiveType(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return path.find('.', slash == std::string::npos ? 0 : slash + 1) != std::string::npos;
}

bool typeRuns(const GioLibrary& gio, const char* type) {
    // Position-independent executables are often typed as shared libraries; GIO's own test
    // leaves them out.
    return gio.contentTypeCanBeExecutable(type) != FALSE ||
           gio.contentTypeIsA(type, "application/x-sharedlib") != FALSE ||
           gio.contentTypeIsA(type, "application/x-pie-executable") != FALSE;
}

bool startsLikeProgram(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return true;
    }
    char head[4] = {};
    const ssize_t got = ::read(fd, head, sizeof head);
    ::close(fd);
    return (got >= 2 && head[0] == '#' && head[1] == '!') ||
           (got == 4 && head[0] == 0x7f && head[1] == 'E' && head[2] == 'L' && head[3] == 'F');
}

}  // namespace

bool isProgramFile(const std::string& path) {
    if (!startsLikeProgram(path)) {
        return false;
    }
    if (!nameCouldGiveType(path)) {
        return true;
    }
    const GioLibrary* gio = gioLibrary();
    if (gio == nullptr) {
        return true;
    }
    struct Release {
        void operator()(void* object) const { gioLibrary()->objectUnref(object); }
    };
    const std::unique_ptr<GFile, Release> file(gio->fileNewForPath(path.c_str()));
    const std::unique_ptr<GFileInfo, Release> info(
        gio->fileQueryInfo(file.get(), G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE,
                           G_FILE_QUERY_INFO_NONE, nullptr, nullptr));
    const char* type = info != nullptr ? gio->fileInfoGetContentType(info.get()) : nullptr;
    return type == nullptr || typeRuns(*gio, type);
}

}  // namespace platform
