#pragma once
// A desktop of the tests' own for GIO's default-application lookup: the XDG folders under a
// temporary folder, holding a few handlers (.desktop files) and a mimeapps.list, and the
// system's MIME database, so that a file's name and first bytes give its type.
//
//   text/plain, inode/directory   "Opalist Probe": the probe, given the path (%f)
//   x-scheme-handler/https        "Opalist Web Probe": the probe, given the address (%u)
//   text/html                     "Opalist Lingering Probe": the probe, staying open 60 s, its
//                                 record in lingeringRecord()
//   application/pdf               "Opalist Broken": its working folder is gone, it cannot start
//   text/csv                      "Opalist Bare Probe": the probe, its Exec without a field code
//   application/rtf               "Opalist Activated": D-Bus activation only, no Exec
//   image/png, mailto:            nothing

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace testing_support {

class TestDesktop {
  public:
    // `probe`: the program the handlers start.
    explicit TestDesktop(const std::string& probe);

    // XDG_DATA_HOME, XDG_CONFIG_HOME, XDG_DATA_DIRS and XDG_CONFIG_DIRS as "NAME=value".
    std::vector<std::string> environment() const;
    // The same, set in this process: GIO reads them once, at its first lookup.
    void apply() const;
    // Where the lingering probe writes its record (the last one started, when there are more).
    std::string lingeringRecord() const { return root_.file("lingering.out"); }

  private:
    TempDir root_;
};

}  // namespace testing_support
