#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/desktop_handlers.h"

namespace testing_support {
namespace {

namespace fs = std::filesystem;

void writeHandler(const fs::path& folder, const std::string& id, const std::string& name,
                  const std::string& body) {
    std::ofstream(folder / (id + ".desktop"))
        << "[Desktop Entry]\nType=Application\nName=" << name << "\n"
        << body;
}

}  // namespace

TestDesktop::TestDesktop(const std::string& probe) {
    const fs::path applications = root_.path() / "data" / "applications";
    fs::create_directories(applications);
    fs::create_directories(root_.path() / "config");
    fs::create_directories(root_.path() / "share");
    fs::create_directories(root_.path() / "config-dirs");
    fs::create_symlink("/usr/share/mime", root_.path() / "share" / "mime");

    writeHandler(applications, "opalist-probe", "Opalist Probe",
                 "Exec=" + probe + " %f\nMimeType=text/plain;inode/directory;\n");
    writeHandler(applications, "opalist-web-probe", "Opalist Web Probe",
                 "Exec=" + probe + " %u\nMimeType=x-scheme-handler/https;\n");
    writeHandler(applications, "opalist-lingering-probe", "Opalist Lingering Probe",
                 "Exec=/usr/bin/env OPALIST_PROBE_STAY=60 OPALIST_PROBE_OUT=" + lingeringRecord() +
                     " " + probe + " %f\nMimeType=text/html;\n");
    writeHandler(applications, "opalist-broken", "Opalist Broken",
                 "Exec=" + probe + " %f\nPath=" + (root_.path() / "gone").string() +
                     "\nMimeType=application/pdf;\n");
    // No field code: the document is added at the end of the command.
    writeHandler(applications, "opalist-bare-probe", "Opalist Bare Probe",
                 "Exec=" + probe + "\nMimeType=text/csv;\n");
    // Started only through D-Bus: no Exec line.
    writeHandler(applications, "org.opalist.Activated", "Opalist Activated",
                 "DBusActivatable=true\nMimeType=application/rtf;\n");
    std::ofstream(root_.path() / "config" / "mimeapps.list")
        << "[Default Applications]\n"
           "text/plain=opalist-probe.desktop\n"
           "inode/directory=opalist-probe.desktop\n"
           "x-scheme-handler/https=opalist-web-probe.desktop\n"
           "text/html=opalist-lingering-probe.desktop\n"
           "application/pdf=opalist-broken.desktop\n"
           "text/csv=opalist-bare-probe.desktop\n"
           "application/rtf=org.opalist.Activated.desktop\n";
}

std::vector<std::string> TestDesktop::environment() const {
    const std::string root = root_.path().string();
    return {"XDG_DATA_HOME=" + root + "/data", "XDG_CONFIG_HOME=" + root + "/config",
            "XDG_DATA_DIRS=" + root + "/share", "XDG_CONFIG_DIRS=" + root + "/config-dirs"};
}

void TestDesktop::apply() const {
    for (const std::string& variable : environment()) {
        const auto equals = variable.find('=');
        ::setenv(variable.substr(0, equals).c_str(), variable.substr(equals + 1).c_str(), 1);
    }
}

}  // namespace testing_support
