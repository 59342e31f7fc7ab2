// The real program started from a terminal: its two options, a wrong argument, a start where no
// display can be opened and one where Qt's platform plugin cannot load. None of them opens a
// window or touches a file.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/desktop_handlers.h"
#include "support/files.h"
#include "support/program_run.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::linesOf;
using testing_support::listNotation;
using testing_support::terminalEnvironment;

TEST(CommandLine, OptionsPrintWrongArgumentsAndMissingDisplaysAreRefused) {
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> env;
        int status;
        std::string outStart;  // stdout begins with it
        std::string errHas;    // stderr is one line holding it; empty: no stderr at all
    };
    const std::vector<Case> cases{
        {{"--version"}, {}, 0, "opalist 1.4.4\n", ""},
        {{"--help"}, {}, 0, "Usage: opalist [--help | --version | --check [FILE]]\n", ""},
        {{"-x"}, {}, 2, "", "unknown argument \"-x\""},
        {{"--version", "now"}, {}, 2, "", "unknown argument \"now\""},
        {{"/min"}, {}, 2, "", "unknown argument \"/min\""},
        {{"--check", "a", "\x1b]0;\xe2\x80\xae"},
         {},
         2,
         "",
         "unknown argument \"\\x1B]0;\\u202E\""},
        {{}, {}, 1, "", "DISPLAY and WAYLAND_DISPLAY are not set"},
        {{}, {"DISPLAY=:97"}, 1, "", "the display could not be opened; start Opalist from"},
    };
    for (const Case& c : cases) {
        const testing_support::ProgramFolder p(OPALIST_PROGRAM);
        const std::string what =
            c.args.empty() ? c.env.empty() ? "no display" : c.env[0] : c.args[0];

        const testing_support::ProgramResult run =
            testing_support::runProgram(p.exe, c.args, terminalEnvironment(c.env));
        EXPECT_EQ(run.status, c.status) << what << "\n" << run.err;
        EXPECT_EQ(run.out.substr(0, c.outStart.size()), c.outStart) << what;
        if (c.errHas.empty()) {
            EXPECT_EQ(run.err, "") << what;
        } else {
            ASSERT_EQ(linesOf(run.err).size(), 1u) << what << "\n" << run.err;
            EXPECT_NE(run.err.find(c.errHas), std::string::npos) << what << "\n" << run.err;
            EXPECT_EQ(run.out, "") << what;
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(p.dir.path()), fs::directory_iterator()), 1)
            << what << ": no settings file, no log";
    }
}

// A display is set, but the plugin for it misses a library: the one line says so and keeps Qt's
// reason, which names the library, rather than asking for a display.
TEST(CommandLine, APlatformPluginThatCannotLoadIsReportedWithQtsReason) {
    const fs::path installed = "/usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqxcb.so";
    if (!fs::exists(installed)) {
        GTEST_SKIP() << installed << " is not installed";
    }
    const testing_support::ProgramFolder p(OPALIST_PROGRAM);
    const fs::path& dir = p.dir.path();
    // The plugin's copy asks for a library that does not exist; the user's QT_PLUGIN_PATH
    // makes Qt look there.
    std::string plugin = testing_support::readFile(installed);
    const std::string needed = "libQt6XcbQpa.so.6";
    ASSERT_NE(plugin.find(needed), std::string::npos);
    plugin.replace(plugin.find(needed), needed.size(), "libQt6XcbQpX.so.6");
    fs::create_directories(dir / "plugins" / "platforms");
    testing_support::writeFile(dir / "plugins" / "platforms" / "libqxcb.so", plugin);

    const testing_support::ProgramResult run = testing_support::runProgram(
        p.exe, {},
        terminalEnvironment({"DISPLAY=:97", "QT_QPA_PLATFORM=xcb",
                             "QT_PLUGIN_PATH=" + (dir / "plugins").string()}));
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(linesOf(run.err).size(), 1u) << run.err;
    EXPECT_TRUE(run.err.starts_with("opalist: the Qt platform plugin could not be loaded: "))
        << run.err;
    EXPECT_NE(run.err.find("libQt6XcbQpX.so.6"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("DISPLAY"), std::string::npos) << run.err;
}

// "--check" on a list of every kind of entry, in both languages: each entry's split, what it
// would open and its verdict, the count of failures and the exit status; nothing is launched
// and no file is written.
class Check : public testing::Test {
  protected:
    Check() {
        fs::copy_file(OPALIST_PROGRAM, dir.path() / "opalist");
        fs::create_directory(bin);
        std::ofstream(bin / "tool") << "#!/bin/sh\ntouch '" << dir.file("tool-ran") << "'\n";
        fs::permissions(bin / "tool", fs::perms::owner_all);
        std::ofstream(dir.path() / "notes.txt") << "notes\n";
        std::ofstream(dir.path() / "picture.png") << "\x89PNG\r\n\x1a\n";
        fs::create_directory(dir.path() / "My Files");
        std::ofstream(dir.path() / "My Files" / "plan.txt") << "plan\n";
    }

    std::string entry(const std::string& name) const { return listNotation(dir.file(name)); }

    void writeSettings(const fs::path& file, const std::string& language,
                       const std::vector<std::string>& entries) const {
        std::ofstream out(file, std::ios::binary);
        out << "<01100>\r\n10\r\n" << language << "\r\n";
        for (const std::string& line : entries) {
            out << line << "\r\n";
        }
    }

    testing_support::ProgramResult check(const std::vector<std::string>& args) const {
        std::vector<std::string> env = desktop.environment();
        env.push_back("PATH=" + bin.string() + ":/usr/bin:/bin");
        return testing_support::runProgram(dir.path() / "opalist", args, terminalEnvironment(env));
    }

    // The folder of the test desktop's handlers.
    std::string handlersFolder() const {
        for (const std::string& variable : desktop.environment()) {
            if (variable.starts_with("XDG_DATA_HOME=")) {
                return variable.substr(variable.find('=') + 1) + "/applications/";
            }
        }
        return {};
    }

    testing_support::TempDir dir;
    fs::path bin = dir.path() / "bin";
    testing_support::TestDesktop desktop{OPALIST_TEST_PROBE};
};

TEST_F(Check, EveryEntryIsSplitResolvedAndJudgedWithoutLaunchingAnything) {
    const std::string tool = (bin / "tool").string();
    writeSettings(dir.path() / "opalist e2e.ini", "EN",
                  {"tool /-x /--name=value /\\home\\eva\\a.txt /plain", "nosuchtool /-v",
                   "\\no\\such\\folder\\tool", entry("notes.txt"), entry("picture.png"),
                   "https:\\\\example.org\\", "'" + entry("My Files/plan.txt") + "'", "",
                   "tool /--title='My Clock' /-v"});
    const auto before = std::distance(fs::directory_iterator(dir.path()), {});

    const testing_support::ProgramResult run = check({"--check"});

    const std::string d = dir.path().string();
    const std::string handlers = handlersFolder();
    const std::string probe = OPALIST_TEST_PROBE;
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string notes = entry("notes.txt");
    const std::string png = entry("picture.png");
    const std::string plan = entry("My Files/plan.txt");
    const std::vector<std::string> expected{
        "Settings file: " + d + "/opalist e2e.ini",
        "1. tool /-x /--name=value /\\home\\eva\\a.txt /plain",
        "   file: tool",
        "   argument 1: -x",
        "   argument 2: --name=value",
        "   argument 3: /home/eva/a.txt",
        "   argument 4: plain",
        "   runs as a program: " + tool,
        "   verdict: ok",
        "2. nosuchtool /-v",
        "   file: nosuchtool",
        "   verdict: File not found",
        "3. \\no\\such\\folder\\tool",
        "   file: \\no\\such\\folder\\tool",
        "   verdict: Path not found",
        "4. " + notes,
        "   file: " + notes,
        "   opens with: Opalist Probe (" + handlers + "opalist-probe.desktop)",
        "   command: " + probe + " " + d + "/notes.txt",
        "   verdict: ok",
        "5. " + png,
        "   file: " + png,
        "   verdict: No association for file extension",
        "6. https:\\\\example.org\\",
        "   file: https:\\\\example.org\\",
        "   opens with: Opalist Web Probe (" + handlers + "opalist-web-probe.desktop)",
        "   command: " + probe + " https://example.org/",
        "   verdict: ok",
        "7. \"" + plan + "\"",
        "   file: " + plan,
        "   opens with: Opalist Probe (" + handlers + "opalist-probe.desktop)",
        "   command: " + probe + " '" + d + "/My Files/plan.txt'",
        "   verdict: ok",
        "8. ",
        "   verdict: empty: skipped at launch",
        // The list drops one quote mark at each end of a parameter: the check shows the
        // argument that the program would really get.
        "9. tool /--title=\"My Clock\" /-v",
        "   file: tool",
        "   argument 1: --title=My Clock /-v",
        "   runs as a program: " + tool,
        "   verdict: ok",
        "3 of 9 entries would fail",
    };
    EXPECT_EQ(linesOf(run.out), expected);
    const auto after = std::distance(fs::directory_iterator(dir.path()), {});
    EXPECT_EQ(after, before) << "no file written, no log";
    EXPECT_FALSE(fs::exists(dir.path() / "tool-ran")) << "nothing launched";
}

// What a terminal would act on is shown as escapes in every line, the file's name included; a
// document opens with its application whatever its execute bit and first line, given last to
// one whose command has no place for it; a file that another user can change is pointed out.
TEST_F(Check, EscapesDocumentsTheirCommandsAndFilesOthersCanChangeAreShown) {
    const fs::path list = dir.path() / "list\u202e\x1b[2J.ini";
    std::ofstream(dir.path() / "budget.pdf") << "#!/bin/sh\ntouch '" << dir.file("ran") << "'\n";
    fs::permissions(dir.path() / "budget.pdf", fs::perms::owner_all);
    std::ofstream(dir.path() / "shared.txt") << "notes\n";
    fs::permissions(dir.path() / "shared.txt", fs::perms::owner_read | fs::perms::owner_write |
                                                   fs::perms::others_read |
                                                   fs::perms::others_write);
    writeSettings(list, "EN",
                  {"tool /\xc2\x85x /\u2066gnp.exe /\xff\xc0\xaf", entry("budget.pdf"),
                   entry("shared.txt"), entry("table.csv")});
    std::ofstream(dir.path() / "table.csv") << "a,b\n";

    const testing_support::ProgramResult run = check({"--check", list.string()});
    const std::string d = dir.path().string();
    const std::string probe = OPALIST_TEST_PROBE;
    const std::vector<std::string> expected{
        "Settings file: " + d + "/list\\u202E\\x1B[2J.ini",
        "1. tool /\\u0085x /\\u2066gnp.exe /\\xFF\\xC0\\xAF",
        "   file: tool",
        "   argument 1: \\u0085x",
        "   argument 2: \\u2066gnp.exe",
        "   argument 3: \\xFF\\xC0\\xAF",
        "   runs as a program: " + (bin / "tool").string(),
        "   verdict: ok",
        "2. " + entry("budget.pdf"),
        "   file: " + entry("budget.pdf"),
        "   opens with: Opalist Broken (" + handlersFolder() + "opalist-broken.desktop)",
        "   verdict: Incomplete or invalid file association",
        "3. " + entry("shared.txt"),
        "   file: " + entry("shared.txt"),
        "   opens with: Opalist Probe (" + handlersFolder() + "opalist-probe.desktop)",
        "   command: " + probe + " " + d + "/shared.txt",
        "   warning: another user can change this file",
        "   verdict: ok",
        "4. " + entry("table.csv"),
        "   file: " + entry("table.csv"),
        "   opens with: Opalist Bare Probe (" + handlersFolder() + "opalist-bare-probe.desktop)",
        "   command: " + probe + " " + d + "/table.csv",
        "   verdict: ok",
        "1 of 4 entries would fail",
    };
    EXPECT_EQ(linesOf(run.out), expected);
    EXPECT_FALSE(fs::exists(dir.path() / "ran"));

    const testing_support::ProgramResult missing =
        check({"--check", dir.file("gone\x1b]0;title\x07\u200f.ini")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("cannot check " + d +
                               "/gone\\x1B]0;title\\x07\\u200F.ini: there is no such file"),
              std::string::npos)
        << missing.err;
}

TEST_F(Check, ExitStatusAndLanguageFollowTheListAndUnreadableFilesAreRefused) {
    const fs::path czech = dir.path() / "czech.ini";
    writeSettings(czech, "CS", {"nosuchtool"});
    const fs::path nul = dir.path() / "nul.ini";
    writeSettings(nul, "EN", {std::string("tool\0.txt", 9)});
    const fs::path good = dir.path() / "good.ini";
    writeSettings(good, "EN", {"tool", entry("notes.txt")});
    const fs::path huge = dir.path() / "huge.ini";
    writeSettings(huge, "EN", {"tool"});
    fs::resize_file(huge, (std::uintmax_t{64} << 20) + 1);
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string outEnd;  // the report ends with it
        std::string errHas;  // empty: no error line
    };
    const std::vector<Case> cases{
        {{"--check", czech.string()},
         1,
         "   soubor: nosuchtool\n   výsledek: Soubor nenalezen\nSelhalo by 1 z 1 položek\n",
         ""},
        {{"--check", good.string()}, 0, "0 of 2 entries would fail\n", ""},
        {{"--check", nul.string()},
         1,
         "1. tool\\x00.txt\n   file: tool\\x00.txt\n   verdict: The command line holds a NUL "
         "character and was not launched\n1 of 1 entries would fail\n",
         ""},
        // No settings file yet: the list the program would start with is empty.
        {{"--check"},
         0,
         "(not made yet: the launch list is empty)\n0 of 0 entries would fail\n",
         ""},
        {{"--check", dir.file("missing.ini")}, 2, "", "missing.ini: there is no such file"},
        {{"--check", dir.file("My Files")}, 2, "", "is not a regular file that can be read"},
        {{"--check", huge.string()}, 2, "", "huge.ini: it is larger than any launch list"},
        {{"--check", good.string(), "now"}, 2, "", "unknown argument \"now\""},
    };
    for (const Case& c : cases) {
        const testing_support::ProgramResult run = check(c.args);
        const std::string what = c.args.size() > 1 ? c.args[1] : c.args[0];
        EXPECT_EQ(run.status, c.status) << what << "\n" << run.out << run.err;
        ASSERT_GE(run.out.size(), c.outEnd.size()) << what;
        EXPECT_EQ(run.out.substr(run.out.size() - c.outEnd.size()), c.outEnd) << what;
        if (c.errHas.empty()) {
            EXPECT_EQ(run.err, "") << what;
        } else {
            EXPECT_EQ(linesOf(run.err).size(), 1u) << what << "\n" << run.err;
            EXPECT_NE(run.err.find(c.errHas), std::string::npos) << what << "\n" << run.err;
        }
    }
    EXPECT_FALSE(fs::exists(dir.path() / "opalist e2e.ini")) << "the check wrote no settings";
}

}  // namespace
