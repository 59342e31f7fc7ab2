// Launching one entry as the user sees it: the shell request, the "Startup error" box, the error
// log and LaunchFailed, for each option combination and both languages.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/process.h"
#include "support/dialog_harness.h"
#include "toolkit/timer.h"

namespace {

using testing_support::DialogHarness;

const std::string Entry = R"( "C:\tool.exe"  /x)";
const std::string Record = std::string("#") + DialogHarness::Now + "# | " + Entry + " | ";

struct Options {
    bool save;
    bool display;
    bool quit;
};

struct LaunchFixture : ::testing::Test {
    DialogHarness h;
    Dialog& d = start();

    Dialog& start() {
        Dialog& dialog = h.start();
        h.shellResult = [](const platform::ShellRequest&) { return 2; };
        h.user([&] {
            dialog.LngEN.setValue(true);
            dialog.LngCS.setValue(false);
        });
        return dialog;
    }
    void setOptions(Options o) {
        h.user([&] {
            d.sErrMsg.setValue(o.save ? 1 : 0);
            d.dErrMsg.setValue(o.display ? 1 : 0);
            d.qErrMsg.setValue(o.quit ? 1 : 0);
        });
    }
    void czech() {
        h.user([&] {
            d.LngCS.setValue(true);
            d.LngEN.setValue(false);
        });
    }
    void launch(std::optional<int> c) {
        h.user([&] { d.OpenEntry(c); });
    }
    int addEntry(const std::string& entry) {
        h.user([&] { d.LaunchList.addItem(entry); });
        return d.LaunchList.listCount();
    }
    bool logExists() const { return std::filesystem::exists(h.errorLogFile()); }
};

TEST_F(LaunchFixture, EntryBecomesOneOpenRequestSplitAtSlashes) {
    h.shellResult = [](const platform::ShellRequest&) { return 42; };
    launch(addEntry(Entry));
    ASSERT_EQ(h.shellRequests.size(), 1u);
    const platform::ShellRequest& request = h.shellRequests[0];
    EXPECT_EQ(request.owner, 0u);
    EXPECT_EQ(request.verb, "Open");
    EXPECT_EQ(request.file, R"(C:\tool.exe)");
    EXPECT_EQ(request.parameters, "/x");
    // "C:\" on Windows; its counterpart, the root, elsewhere.
    EXPECT_EQ(request.directory, platform::pathSeparator() == '\\' ? "C:\\" : "/");
    EXPECT_EQ(request.showCommand, 1);
    EXPECT_TRUE(h.loop.boxes().empty());
    EXPECT_FALSE(d.LaunchFailed);
}

TEST_F(LaunchFixture, ResultsAbove32AreSuccessAnd32OrLessAreFailures) {
    setOptions({false, false, false});
    const int c = addEntry(Entry);
    for (const std::int32_t result : {33, 42, 32, 0, -5}) {
        h.user([&] { d.LaunchFailed = false; });
        h.shellResult = [result](const platform::ShellRequest&) { return result; };
        launch(c);
        EXPECT_EQ(d.LaunchFailed, result <= 32) << result;
    }
}

TEST_F(LaunchFixture, OptionsDecideWhatIsShownAndLoggedButAFailureIsAlwaysRaised) {
    struct Case {
        Options options;
        bool boxShown;
        bool logged;
    };
    const std::vector<Case> cases{
        {{true, true, true}, true, true},      {{true, false, false}, false, true},
        {{false, true, false}, true, false},   {{false, false, true}, false, false},
        {{false, false, false}, false, false},
    };
    const int c = addEntry(Entry);
    for (const Case& test : cases) {
        std::filesystem::remove(h.errorLogFile());
        h.user([&] { d.LaunchFailed = false; });
        setOptions(test.options);
        const std::size_t boxesBefore = h.loop.boxes().size();
        h.loop.answerUnscriptedWith(tk::Answer::Ok);
        launch(c);
        EXPECT_EQ(h.loop.boxes().size() - boxesBefore, test.boxShown ? 1u : 0u);
        EXPECT_EQ(logExists(), test.logged);
        EXPECT_TRUE(d.LaunchFailed);
    }
}

TEST_F(LaunchFixture, RecordIsWrittenBeforeTheBoxAndTheFlagRaisedAfterIt) {
    setOptions({true, true, true});
    const int c = addEntry(Entry);
    // A timer that looks at the file and the flag while the box is open.
    tk::Timer whileOpen(d, 10, false);
    std::string logWhileOpen;
    std::optional<bool> failedWhileOpen;
    whileOpen.onTimer = [&] {
        whileOpen.setEnabled(false);
        logWhileOpen = h.readRaw(h.errorLogFile());
        failedWhileOpen = d.LaunchFailed;
    };
    h.loop.answerNext(tk::Answer::Ok, 100);
    h.user([&] {
        whileOpen.setEnabled(true);
        d.OpenEntry(c);
    });

    EXPECT_EQ(logWhileOpen, Record + "File not found\r\n");
    EXPECT_EQ(failedWhileOpen, false);
    EXPECT_TRUE(d.LaunchFailed);
    ASSERT_EQ(h.loop.boxes().size(), 1u);
    const tk::MessageBox& box = h.loop.boxes()[0].box;
    EXPECT_EQ(box.title, "Startup error");
    EXPECT_EQ(box.text, "Command:\n" + Entry +
                            "\n\nError message:\nFile not found\n\n"
                            "Error saved to Opalist log file, so that you can fix the command "
                            "line.\n\nUncheck option 'Quit after countdown...' to keep Opalist "
                            "active and fix errors.\n\n");
    EXPECT_EQ(box.icon, tk::Icon::Exclamation);
    EXPECT_EQ(box.buttons, tk::Buttons::Ok);
    EXPECT_TRUE(d.Butt[Command::ViewErrorLog].enabled());
}

TEST_F(LaunchFixture, RecordsAreAppendedInOrderAndEarlierLinesKeptByteForByte) {
    setOptions({true, false, false});
    const std::string earlier =
        "#1.1.2026 8:00:00# | \"C:\\a b.exe\" /x, * | File not found\r\n"
        "#1.1.2026 8:00:01# |   spaced | entry | Access denied\r\n";
    h.writeRaw(h.errorLogFile(), earlier);
    const int first = addEntry(Entry);
    const int second = addEntry("second");
    launch(first);
    h.shellResult = [](const platform::ShellRequest&) { return 5; };
    launch(second);
    EXPECT_EQ(h.readRaw(h.errorLogFile()), earlier + Record + "File not found\r\n" + "#" +
                                               DialogHarness::Now +
                                               "# | second | Access denied\r\n");
}

TEST_F(LaunchFixture, CzechModeShowsAndLogsTheCzechMessage) {
    setOptions({true, true, false});
    czech();
    h.loop.answerNext(tk::Answer::Ok);
    launch(addEntry(Entry));
    EXPECT_EQ(h.readRaw(h.errorLogFile()), Record + "Soubor nenalezen\r\n");
    ASSERT_EQ(h.loop.boxes().size(), 1u);
    EXPECT_EQ(h.loop.boxes()[0].box.title, "Chyba spouštění");
    EXPECT_EQ(h.loop.boxes()[0].box.text,
              "Příkaz:\n" + Entry +
                  "\n\nChybová zpráva:\nSoubor nenalezen\n\nChyba uložena v logovacím souboru, "
                  "aby bylo možné příkazový řádek spravit.\n\n");
}

TEST(LaunchWithoutUserName, LogNameHasTwoSpaces) {
    DialogHarness h;
    h.userName.clear();
    Dialog& d = h.start();
    h.shellResult = [](const platform::ShellRequest&) { return 2; };
    h.user([&] {
        d.LngEN.setValue(true);
        d.LngCS.setValue(false);
        d.sErrMsg.setValue(1);
        d.dErrMsg.setValue(0);
        d.LaunchList.addItem("tool");
        d.OpenEntry(1);
    });
    EXPECT_TRUE(std::filesystem::exists(h.dir.file("opalist  error.log")));
    EXPECT_EQ(d.ErrorLogPath(), h.dir.file("opalist  error.log"));
}

TEST_F(LaunchFixture, EmptyEntryIsSkippedWithoutARequestOrAReport) {
    setOptions({true, true, true});
    launch(addEntry(""));
    EXPECT_TRUE(h.shellRequests.empty());
    EXPECT_TRUE(h.loop.boxes().empty());
    EXPECT_FALSE(logExists());
    EXPECT_FALSE(d.LaunchFailed);
}

TEST_F(LaunchFixture, LogThatCannotBeWrittenStillShowsTheFailureAndRaisesTheFlag) {
    setOptions({true, true, false});
    std::filesystem::create_directory(h.errorLogFile());
    h.loop.answerNext(tk::Answer::Ok);
    launch(addEntry(Entry));
    ASSERT_EQ(h.loop.boxes().size(), 1u);
    EXPECT_EQ(h.loop.boxes()[0].box.text, "Command:\n" + Entry +
                                              "\n\nError message:\nFile not found\n\n"
                                              "Error could not be saved to Opalist log file.\n\n");
    EXPECT_TRUE(d.LaunchFailed);
}

TEST_F(LaunchFixture, MakersAddressOpensUnsplitAndAFailureOnlyExplainsItself) {
    setOptions({true, false, true});
    h.shellResult = [](const platform::ShellRequest&) { return 42; };
    launch(std::nullopt);
    ASSERT_EQ(h.shellRequests.size(), 1u);
    EXPECT_EQ(h.shellRequests[0].file, "https://opalist.example.org/");
    EXPECT_EQ(h.shellRequests[0].parameters, "");
    EXPECT_TRUE(h.loop.boxes().empty());

    h.shellResult = [](const platform::ShellRequest&) { return 31; };
    h.loop.answerNext(tk::Answer::Ok);
    launch(std::nullopt);
    ASSERT_EQ(h.loop.boxes().size(), 1u);
    EXPECT_EQ(h.loop.boxes()[0].box.text,
              "Command:\nhttps://opalist.example.org/\n\nError message:\nNo association for "
              "file extension\n\n");
    EXPECT_FALSE(logExists());
    EXPECT_FALSE(d.LaunchFailed);
}

TEST_F(LaunchFixture, ViewErrorLogButtonFollowsTheLogsExistence) {
    EXPECT_EQ(d.RefreshErrorLogButton(), 0);
    EXPECT_FALSE(d.Butt[Command::ViewErrorLog].enabled());
    h.writeRaw(h.errorLogFile(), "#x# | y | z\r\n");
    EXPECT_EQ(d.RefreshErrorLogButton(), 1);
    EXPECT_TRUE(d.Butt[Command::ViewErrorLog].enabled());
}

}  // namespace
