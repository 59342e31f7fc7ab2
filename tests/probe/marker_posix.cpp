// A library that, once loaded into a process, creates the file named by OPALIST_MARKER_OUT:
// proof that a planted plugin that needs it was loaded.

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

namespace {

__attribute__((constructor)) void markLoaded() {
    if (const char* out = std::getenv("OPALIST_MARKER_OUT")) {
        const int file = ::open(out, O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
        if (file >= 0) {
            ::close(file);
        }
    }
}

}  // namespace
