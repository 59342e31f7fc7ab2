// The real program on a real X server (Xvfb), driven with xdotool as a user would: what its
// window shows, what its keys do and what its files hold. Skips itself where no X server can
// be started.

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "support/files.h"
#include "support/program_run.h"
#include "support/temp_dir.h"
#include "support/x_server.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing_support::readFile;
using testing_support::StartedProgram;

// Polls until the condition holds or the time is up.
template <typename Condition>
bool eventually(Condition condition, std::chrono::milliseconds timeout = 10s) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

class X11 : public testing::Test {
  protected:
    void SetUp() override {
        if (::access("/usr/bin/xdotool", X_OK) != 0) {
            GTEST_SKIP() << "/usr/bin/xdotool is not installed (scripts/install-deps installs it)";
        }
        server = std::make_unique<testing_support::XServer>();
        if (!server->failure().empty()) {
            GTEST_SKIP() << server->failure();
        }
        display = server->display();
        fs::copy_file(OPALIST_PROGRAM, exe);
    }

    // Starts Opalist on the server, in its own program folder. A sanitizer build's options
    // reach it.
    void start() {
        std::vector<std::string> env{
            "DISPLAY=" + display,          "USER=x11",
            "PATH=/usr/bin:/bin",          "LC_ALL=C.UTF-8",
            "HOME=" + dir.path().string(), "OPALIST_PROBE_OUT=" + probeOut.string()};
        for (const char* variable : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"}) {
            if (const char* value = std::getenv(variable)) {
                env.push_back(std::string(variable) + "=" + value);
            }
        }
        program = std::make_unique<StartedProgram>(exe, std::vector<std::string>{}, env);
        ASSERT_TRUE(eventually([&] { return !(window = windowOf("^opalist 1\\.4\\.4")).empty(); }))
            << "no window appeared\n"
            << program->err();
    }

    // xdotool's output, without the last line end.
    std::string xdotool(const std::vector<std::string>& args) const {
        const auto result = testing_support::runProgram(
            "/usr/bin/xdotool", args, {"DISPLAY=" + display, "PATH=/usr/bin:/bin"}, 10s);
        std::string out = result.out;
        while (!out.empty() && out.back() == '\n') {
            out.pop_back();
        }
        return out;
    }
    // Opalist's visible window whose title holds the text; empty when there is none.
    std::string windowOf(const std::string& title) const {
        const std::string found = xdotool({"search", "--all", "--onlyvisible", "--pid",
                                           std::to_string(program->pid()), "--name", title});
        return found.substr(0, found.find('\n'));
    }
    std::string title() const { return xdotool({"getwindowname", window}); }
    int height() const {
        const std::string geometry = xdotool({"getwindowgeometry", window});
        return std::stoi(geometry.substr(geometry.rfind('x') + 1));
    }
    // A key pressed on the keyboard while the window has the focus.
    void press(const std::string& window, const std::string& key) const {
        xdotool({"windowfocus", "--sync", window});
        xdotool({"key", key});
    }
    bool ends() { return program->wait(10s).has_value(); }
    void writeSettings(const std::string& text) const {
        std::ofstream(settings, std::ios::binary) << text;
    }

    testing_support::TempDir dir;
    fs::path exe = dir.path() / "opalist";
    fs::path settings = dir.path() / "opalist x11.ini";
    fs::path log = dir.path() / "opalist x11 error.log";
    fs::path probeOut = dir.path() / "probe.out";
    std::unique_ptr<testing_support::XServer> server;
    std::unique_ptr<StartedProgram> program;
    std::string display;
    std::string window;
};

TEST_F(X11, AFirstStartShowsTheSetupViewWritesTheDefaultsAndEscEnds) {
    start();
    EXPECT_EQ(title(), "opalist 1.4.4 - setup");
    const int full = height();
    EXPECT_GT(full, 300) << "the setup area is shown";
    EXPECT_EQ(readFile(settings), "<01100>\r\n10\r\nEN\r\n");

    press(window, "Escape");
    ASSERT_TRUE(ends()) << "Esc with nothing changed ends the program";
    EXPECT_EQ(program->wait(0ms), 0);
}

TEST_F(X11, GoNowAndOneByOneRunOnTheirLettersInBothLanguages) {
    struct Case {
        const char* language;
        const char* key;
        bool asks;  // One by one asks before the entry
    };
    for (const Case c : {Case{"EN", "g", false}, Case{"CS", "r", false}, Case{"EN", "o", true},
                         Case{"CS", "o", true}}) {
        SCOPED_TRACE(std::string(c.language) + " " + c.key);
        fs::remove(probeOut);
        writeSettings(std::string("<01100>\r\n60\r\n") + c.language + "\r\n" +
                      testing_support::listNotation(OPALIST_TEST_PROBE) + " /x\r\n");
        start();
        EXPECT_EQ(title(), "opalist 1.4.4") << "the countdown view";
        EXPECT_LT(height(), 150);
        press(window, c.key);
        if (c.asks) {
            std::string question;
            ASSERT_TRUE(eventually([&] {
                return !(question = windowOf(c.language == std::string("EN") ? "One by one"
                                                                             : "Krok za krokem"))
                            .empty();
            }));
            EXPECT_FALSE(fs::exists(probeOut)) << "nothing runs before the answer";
            press(question, "Return");
        }
        ASSERT_TRUE(ends()) << "the run ends the program, well before the 60 s are up";
        EXPECT_EQ(program->wait(0ms), 0);
        EXPECT_TRUE(
            eventually([&] { return readFile(probeOut).find("arg=x\n") != std::string::npos; }));
    }
}

TEST_F(X11, AFailingEntryShowsItsBoxLogsItAndKeepsTheSetupOpen) {
    writeSettings("<01100>\r\n3\r\nEN\r\nno-such-program /x\r\n");
    start();
    std::string box;
    ASSERT_TRUE(eventually([&] { return !(box = windowOf("Startup error")).empty(); }));
    EXPECT_NE(readFile(log).find("# | no-such-program /x | File not found\r\n"), std::string::npos)
        << "the record is written while the box is open: " << readFile(log);

    press(box, "Return");
    std::string report;
    ASSERT_TRUE(eventually([&] { return !(report = windowOf("Opalist report")).empty(); }));
    press(report, "Return");
    ASSERT_TRUE(eventually([&] { return title() == "opalist 1.4.4 - setup"; }))
        << "after a failed run the setup view stays open: " << title();
    EXPECT_FALSE(program->wait(1s)) << "the program stays open to mend the list";
    press(window, "Escape");
    EXPECT_TRUE(ends());
}

}  // namespace
