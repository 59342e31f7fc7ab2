// GIO loaded at run time: every function the desktop handler needs is found in the system's
// library, and a library that cannot be loaded, or is not GIO, gives none.
#include <gtest/gtest.h>

#include "platform/gio_library_posix.h"

namespace {

TEST(GioLibrary, TheSystemLibraryHasEveryFunction) {
    const platform::GioLibrary* gio = platform::gioLibrary();
    ASSERT_NE(gio, nullptr);
    EXPECT_EQ(gio, platform::gioLibrary()) << "loaded once";
    // A GIO call through the table works: the quark of GIO's error domain.
    EXPECT_STREQ(g_quark_to_string(gio->ioErrorQuark()), "g-io-error-quark");
}

TEST(GioLibrary, AMissingOrForeignLibraryGivesNothing) {
    for (const char* file : {"libopalist-no-such-library.so.0", "libglib-2.0.so.0", "/"}) {
        EXPECT_FALSE(platform::loadGioLibrary(file).has_value()) << file;
    }
}

}  // namespace
