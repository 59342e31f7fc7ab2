#include "support/x_server.h"

#include <unistd.h>

#include <chrono>
#include <thread>
#include <vector>

#include "support/files.h"

namespace testing_support {

XServer::XServer() {
    if (::access("/usr/bin/Xvfb", X_OK) != 0) {
        failure_ = "/usr/bin/Xvfb is not installed (scripts/install-deps installs it)";
        return;
    }
    // Xvfb writes the display it took, and a line end, once it accepts clients.
    const std::string number = dir_.file("display");
    server_ = std::make_unique<StartedProgram>(
        "/bin/sh",
        std::vector<std::string>{"-c",
                                 "exec /usr/bin/Xvfb -displayfd 3 -nolisten tcp -noreset "
                                 "-screen 0 1024x768x24 3>\"$0\"",
                                 number},
        std::vector<std::string>{"PATH=/usr/bin:/bin"});
    for (int i = 0; i < 200 && readFile(number).find('\n') == std::string::npos; ++i) {
        if (server_->wait(std::chrono::milliseconds(0))) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    const std::string written = readFile(number);
    if (written.find('\n') == std::string::npos || server_->wait(std::chrono::milliseconds(0))) {
        failure_ = "the X server (Xvfb) could not start: " + server_->err();
        return;
    }
    display_ = ":" + written.substr(0, written.find('\n'));
}

}  // namespace testing_support
