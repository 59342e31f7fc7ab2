// Start-up with and without a settings file, damaged and hostile files, the Save command and
// its failure, Exit with each answer, termination and the blinking hint, in a temporary
// program directory.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/view_err.h"
#include "platform/text_file.h"
#include "support/dialog_harness.h"

namespace {

using Harness = testing_support::DialogHarness;
using Lines = std::vector<std::string>;
using namespace std::string_literals;

std::string crlf(const Lines& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

// Opens the setup view from the countdown and unticks "Display error messages?", as a user would.
void untickDisplayErrors(Harness& h) {
    h.click(Command::ConfigRunAgain);
    h.user([&] { h.dialog().dErrMsg.clickByUser(); });
}

TEST(StartUp, WithoutAFileStartsInSetupWithDefaultsAndCreatesTheFile) {
    Harness h;
    Dialog& d = h.start();
    EXPECT_EQ(h.readRaw(h.settingsFile()), "<01100>\r\n10\r\nEN\r\n");
    for (Command command :
         {Command::StopContinue, Command::ConfigRunAgain, Command::GoNow, Command::OneByOne}) {
        EXPECT_FALSE(d.Butt[command].enabled()) << commandIndex(command);
    }
    EXPECT_TRUE(d.First.enabled());
    EXPECT_FALSE(d.SettingsDirty);
    EXPECT_FALSE(d.Butt[Command::SaveChanges].enabled());
    EXPECT_FALSE(d.Initializing);
    EXPECT_EQ(d.LblCountdown.caption(), "10 s");
    EXPECT_TRUE(h.loop.boxes().empty());

    // The hint blinks every 500 ms while the list is empty.
    const bool shown = d.LblFirst.visible();
    h.loop.advance(500);
    EXPECT_NE(d.LblFirst.visible(), shown);
    h.loop.advance(500);
    EXPECT_EQ(d.LblFirst.visible(), shown);
}

// The first start opens the setup view with nothing counting; once the first entry is added,
// Stop (as Continue) and Config (as Run again) each start the countdown that launches it.
TEST(StartUp, FirstStartWaitsInSetupUntilTheFirstEntryIsAdded) {
    for (const Command starter : {Command::StopContinue, Command::ConfigRunAgain}) {
        SCOPED_TRACE(commandIndex(starter));
        Harness h;
        Dialog& d = h.start();
        EXPECT_EQ(d.height(), d.FullHeight);
        EXPECT_NE(d.height(), Dialog::CompactHeight);
        EXPECT_TRUE(d.FrSetup.visible());
        EXPECT_EQ(d.Butt[Command::StopContinue].caption(), "S&top");
        EXPECT_EQ(d.Butt[Command::ConfigRunAgain].caption(), "Conf&ig");
        EXPECT_FALSE(d.CountDispl.enabled());
        EXPECT_FALSE(d.Countdown.enabled());
        h.loop.advance(20000);
        EXPECT_EQ(d.LblCountdown.caption(), "10 s");

        h.user([&] { d.Add.editedByUser("tool"); });
        h.click(Command::AddMod);
        ASSERT_TRUE(d.Butt[starter].enabled());
        EXPECT_EQ(d.Butt[Command::StopContinue].caption(), "S&top");
        EXPECT_EQ(d.Butt[Command::ConfigRunAgain].caption(), "Conf&ig");
        h.loop.answerNext(tk::Answer::No);  // the new entry is not saved yet
        h.click(starter);
        EXPECT_EQ(d.height(), Dialog::CompactHeight);
        EXPECT_TRUE(d.CountDispl.enabled());
        EXPECT_TRUE(d.Countdown.enabled());
        h.loop.advance(9999);
        EXPECT_EQ(d.LblCountdown.caption(), "1 s");
        EXPECT_TRUE(h.shellRequests.empty());
        h.loop.advance(1);
        ASSERT_EQ(h.shellRequests.size(), 1u);
        EXPECT_EQ(h.shellRequests[0].file, "tool");
        EXPECT_TRUE(h.loop.ended());
    }
}

TEST(StartUp, WithEntriesArmsTheCountdownInTheCompactLayout) {
    Harness h;
    Dialog& d = h.start({"<01100>", "10", "EN", "a.exe"});
    EXPECT_EQ(d.height(), Dialog::CompactHeight);
    EXPECT_EQ(d.FullHeight, 6165.0F);
    EXPECT_EQ(d.LblCountdown.caption(), "10 s");
    EXPECT_EQ(d.Countdown.interval(), 10000);
    EXPECT_TRUE(d.Countdown.running());
    EXPECT_EQ(d.TimerScroll.value(), -10);
    EXPECT_FALSE(d.Butt[Command::SaveChanges].enabled());
    EXPECT_FALSE(d.SettingsDirty);  // although loading fired change events
    EXPECT_FALSE(d.First.enabled());
    EXPECT_FALSE(d.LblFirst.visible()) << "no hint while the list has entries";
    for (Command command :
         {Command::StopContinue, Command::ConfigRunAgain, Command::GoNow, Command::OneByOne}) {
        EXPECT_TRUE(d.Butt[command].enabled()) << commandIndex(command);
    }
}

TEST(StartUp, StoredValuesLoadAndTheFileIsRewrittenNormalised) {
    struct Case {
        const char* name;
        Lines file;
        std::vector<int> flags;  // wStart, dErrMsg, sErrMsg, PromptEach, qErrMsg
        std::string timerText;
        bool czech;
        int remaining;
        int countdownMs;
        Lines written;
    };
    const std::vector<Case> cases = {
        {"all set",
         {"<10011>", "45", "CS", "x"},
         {1, 0, 0, 1, 1},
         "45",
         true,
         45,
         45000,
         {"<10011>", "45", "CS", "x"}},
        {"odd flags, range, lower-case language",
         {"<29x1", "61", "cs", "x"},
         {0, 1, 1, 1, 0},
         "10",
         false,
         10,
         10000,
         {"<01110>", "10", "EN", "x"}},
        {"half seconds round to even",
         {"<01100>", "12.5", "EN", "x"},
         {0, 1, 1, 0, 0},
         "12.5",
         false,
         12,
         12500,
         {"<01100>", "12.5", "EN", "x"}},
        {"odd half rounds up",
         {"<01100>", "13.5", "EN", "x"},
         {0, 1, 1, 0, 0},
         "13.5",
         false,
         14,
         13500,
         {"<01100>", "13.5", "EN", "x"}},
        {"leading blanks of headers",
         {"  <00000>", "  3 ", "  CS", "x"},
         {0, 0, 0, 0, 0},
         "3 ",
         true,
         3,
         3000,
         {"<00000>", "3", "CS", "x"}},
        {"two lines only",
         {"<1", "60"},
         {1, 1, 1, 0, 0},
         "60",
         false,
         60,
         60000,
         {"<11100>", "60", "EN"}},
        {"not numeric",
         {"", "abc", "", "x"},
         {0, 1, 1, 0, 0},
         "10",
         false,
         10,
         10000,
         {"<01100>", "10", "EN", "x"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        Dialog& d = h.start(c.file);
        EXPECT_EQ((std::vector<int>{d.wStart.value(), d.dErrMsg.value(), d.sErrMsg.value(),
                                    d.PromptEach.value(), d.qErrMsg.value()}),
                  c.flags);
        EXPECT_EQ(d.Timer.text(), c.timerText);
        EXPECT_EQ(d.LngCS.value(), c.czech);
        EXPECT_NE(d.LngEN.value(), c.czech);
        EXPECT_EQ(d.RemainingSeconds, c.remaining);
        EXPECT_EQ(d.TimerScroll.value(), -c.remaining);
        EXPECT_EQ(d.Countdown.interval(), c.countdownMs);
        EXPECT_EQ(h.readRaw(h.settingsFile()), crlf(c.written));
    }
}

TEST(StartUp, EntriesKeepCommasBlanksAndQuotes) {
    Harness h;
    Dialog& d =
        h.start({"<01100>", "10", "EN", "'C:\\My Tools\\a.exe' -x", "C:\\Team's Tools\\a.exe",
                 "rundll32.exe shell32.dll,Control_RunDLL", "   indented", ""});
    EXPECT_EQ(d.LaunchList.items(),
              (Lines{"\"C:\\My Tools\\a.exe\" -x", "C:\\Team\"s Tools\\a.exe",
                     "rundll32.exe shell32.dll,Control_RunDLL", "   indented", ""}));
    EXPECT_EQ(h.readRaw(h.settingsFile()),
              crlf({"<01100>", "10", "EN", "'C:\\My Tools\\a.exe' -x", "C:\\Team's Tools\\a.exe",
                    "rundll32.exe shell32.dll,Control_RunDLL", "   indented", ""}));
}

// Whatever the bytes, the load neither crashes nor drops a line it could read, and the
// start-up save writes every entry back byte for byte.
TEST(StartUp, HostileFilesLoseNoEntry) {
    struct Case {
        const char* name;
        std::string bytes;
        Lines entries;
    };
    const std::string longLine(10 * 1024 * 1024, 'L');
    Lines many;
    std::string manyBytes = "<01100>\r\n10\r\nEN\r\n";
    for (int i = 0; i < 100000; ++i) {
        many.push_back("entry " + std::to_string(i));
        manyBytes += many.back() + "\r\n";
    }
    const std::vector<Case> cases = {
        {"binary junk",
         "\x01\x02\xFF\x00<\r\n\x7F\x80\r\nEN\r\n\x00\x01\x02\x03"s,
         {"\x00\x01\x02\x03"s}},
        {"NUL bytes", "<01100>\r\n10\r\nEN\r\na\0b\r\n\0\r\n"s, {"a\0b"s, "\0"s}},
        {"invalid UTF-8",
         "<01100>\r\n10\r\nEN\r\n\xC3\x28 \xE2\x82\r\n\xF0\x90\r\n",
         {"\xC3\x28 \xE2\x82", "\xF0\x90"}},
        {"CR-only ends", "<01100>\r10\rCS\ra\rb\r", {"a", "b"}},
        {"a 10 MB line",
         "<01100>\r\n10\r\nEN\r\n" + longLine + "\r\nafter\r\n",
         {longLine, "after"}},
        {"100,000 entries", manyBytes, many},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        h.writeRaw(h.settingsFile(), c.bytes);
        Dialog& d = h.start();
        EXPECT_EQ(d.LaunchList.listCount(), static_cast<int>(c.entries.size()));
        // The entries come back byte for byte after the three header lines.
        const std::string written = h.readRaw(h.settingsFile());
        std::size_t header = 0;
        for (int line = 0; line < 3; ++line) {
            header = written.find("\r\n", header) + 2;
        }
        EXPECT_TRUE(written.substr(header) == crlf(c.entries));
    }
}

TEST(SaveCommand, WritesTheSetupAndClearsTheMarks) {
    Harness h;
    Dialog& d = h.start({"<01100>", "10", "EN", "a.exe"});
    untickDisplayErrors(h);
    h.user([&] { d.LaunchList.addItem("\"b c.exe\" /q"); });
    d.LaunchFailed = true;
    ASSERT_TRUE(d.Butt[Command::SaveChanges].enabled());
    ASSERT_TRUE(d.SettingsDirty);

    h.click(Command::SaveChanges);
    EXPECT_EQ(h.readRaw(h.settingsFile()), crlf({"<00100>", "10", "EN", "a.exe", "'b c.exe' /q"}));
    EXPECT_EQ(d.LaunchList.list(1), "\"b c.exe\" /q");  // the list itself keeps its quotes
    EXPECT_FALSE(d.SettingsDirty);
    EXPECT_FALSE(d.Butt[Command::SaveChanges].enabled());
    EXPECT_FALSE(d.LaunchFailed);
    EXPECT_TRUE(h.loop.boxes().empty());
}

// A folder where the file should be makes every write fail, also for root.
void blockSettingsFile(const Harness& h) {
    std::filesystem::remove(h.settingsFile());
    std::filesystem::create_directory(h.settingsFile());
}

TEST(SaveCommand, FailureTellsTheUserAndKeepsTheSetupMarkedAsChanged) {
    struct Case {
        bool czech;
        const char* title;
        const char* firstLine;
    };
    const Case cases[] = {
        {false, "Save changes", "The settings could not be saved to"},
        {true, "Uložit změny", "Nastavení se nepodařilo uložit do"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        Harness h;
        Dialog& d = h.start({"<01100>", "10", c.czech ? "CS" : "EN", "a.exe"});
        untickDisplayErrors(h);
        d.LaunchFailed = true;
        blockSettingsFile(h);

        h.loop.answerNext(tk::Answer::Ok);
        h.click(Command::SaveChanges);
        ASSERT_EQ(h.loop.boxes().size(), 1u);
        const tk::MessageBox& box = h.loop.boxes()[0].box;
        EXPECT_EQ(box.title, c.title);
        EXPECT_EQ(box.icon, tk::Icon::Exclamation);
        EXPECT_EQ(box.buttons, tk::Buttons::Ok);
        // Then the system's reason, in its own words.
        const std::string named = std::string(c.firstLine) + "\n" + h.settingsFile() + "\n";
        EXPECT_EQ(box.text.substr(0, named.size()), named);
        EXPECT_GT(box.text.size(), named.size());
        EXPECT_TRUE(d.SettingsDirty);
        EXPECT_TRUE(d.Butt[Command::SaveChanges].enabled());
        EXPECT_TRUE(d.LaunchFailed);
        EXPECT_FALSE(h.loop.ended());
    }
}

// A save hands the focus to Config / Run again, also one made at the prompt; a failed save
// leaves it where it was.
TEST(SaveCommand, TheFocusGoesToConfigRunAgain) {
    struct Case {
        const char* name;
        Command button;
        bool blocked;
        Command focus;
    };
    const Case cases[] = {
        {"Save changes", Command::SaveChanges, false, Command::ConfigRunAgain},
        {"Yes at Continue's prompt", Command::StopContinue, false, Command::ConfigRunAgain},
        {"a failed save", Command::SaveChanges, true, Command::SaveChanges},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        Dialog& d = h.start({"<01100>", "10", "EN", "a.exe"});
        untickDisplayErrors(h);
        if (c.blocked) {
            blockSettingsFile(h);
        }
        h.loop.answerNext(c.button == Command::SaveChanges ? tk::Answer::Ok : tk::Answer::Yes);
        h.user([&] {
            d.Butt[c.button].focusedByUser();
            d.Butt[c.button].clickByUser();
        });
        EXPECT_EQ(h.loop.boxes().size(), c.blocked || c.button != Command::SaveChanges ? 1u : 0u);
        EXPECT_EQ(d.focused(), &d.Butt[c.focus]);
    }
}

TEST(StartUp, FailedSaveDoesNotStopTheStart) {
    Harness h;
    blockSettingsFile(h);
    Dialog& d = h.start();  // an unexpected box would fail here
    EXPECT_TRUE(h.loop.boxes().empty());
    EXPECT_FALSE(h.loop.ended());
    EXPECT_FALSE(d.Initializing);
    EXPECT_EQ(d.LblCountdown.caption(), "10 s");
    // Nothing the user set is lost (the old file stays), so leaving does not ask.
    EXPECT_FALSE(d.SettingsDirty);
}

TEST(ExitCommand, EachAnswerOfThePrompt) {
    struct Case {
        const char* name;
        bool changed;
        std::optional<tk::Answer> answer;  // none: no prompt expected
        bool ends;
        bool fileWritten;
    };
    const Case cases[] = {
        {"no changes", false, std::nullopt, true, false},
        {"Yes", true, tk::Answer::Yes, true, true},
        {"No", true, tk::Answer::No, true, false},
        {"Cancel", true, tk::Answer::Cancel, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Harness h;
        Dialog& d = h.start({"<01100>", "10", "EN", "a.exe"});
        if (c.changed) {
            untickDisplayErrors(h);
        }
        const std::string before = h.readRaw(h.settingsFile());
        if (c.answer) {
            h.loop.answerNext(*c.answer);
        }
        h.click(Command::Exit);

        EXPECT_EQ(h.loop.ended(), c.ends);
        ASSERT_EQ(h.loop.boxes().size(), c.answer ? 1u : 0u);
        if (c.answer) {
            const tk::MessageBox& box = h.loop.boxes()[0].box;
            EXPECT_EQ(box.title, "Save changes");
            EXPECT_EQ(box.text, "Setup values changed. Save changes?");
            EXPECT_EQ(box.icon, tk::Icon::Question);
            EXPECT_EQ(box.buttons, tk::Buttons::YesNoCancel);
            EXPECT_EQ(box.defaultButton, tk::Answer::Yes);
        }
        EXPECT_EQ(h.readRaw(h.settingsFile()) != before, c.fileWritten);
        if (!c.ends) {
            EXPECT_FALSE(d.CountDispl.enabled());
            EXPECT_FALSE(d.Countdown.enabled());
            EXPECT_TRUE(d.SettingsDirty);
        }
    }
}

TEST(ExitCommand, PromptSpeaksCzechWhenCzechIsSelected) {
    Harness h;
    h.start({"<01100>", "10", "CS", "a.exe"});
    untickDisplayErrors(h);
    h.loop.answerNext(tk::Answer::No);
    h.click(Command::Exit);
    ASSERT_EQ(h.loop.boxes().size(), 1u);
    EXPECT_EQ(h.loop.boxes()[0].box.title, "Uložit změny");
    EXPECT_EQ(h.loop.boxes()[0].box.text, "Hodnoty nastavení se změnily. Uložit změny?");
}

// Yes with a file that cannot be written keeps the program open, so the changes survive.
TEST(ExitCommand, FailedSaveAfterYesKeepsTheProgramOpen) {
    Harness h;
    Dialog& d = h.start({"<01100>", "10", "EN", "a.exe"});
    untickDisplayErrors(h);
    blockSettingsFile(h);
    h.loop.answerNext(tk::Answer::Yes);
    h.loop.answerNext(tk::Answer::Ok);
    h.click(Command::Exit);
    EXPECT_FALSE(h.loop.ended());
    ASSERT_EQ(h.loop.boxes().size(), 2u);
    EXPECT_EQ(h.loop.boxes()[1].box.icon, tk::Icon::Exclamation);
    EXPECT_TRUE(d.SettingsDirty);
}

TEST(Termination, ClosingTheWindowEndsAtOnceWithoutAsking) {
    Harness h;
    Dialog& d = h.start({"<01100>", "10", "EN", "a.exe"});
    untickDisplayErrors(h);
    const std::string before = h.readRaw(h.settingsFile());
    h.user([&] { d.closedByUser(); });
    EXPECT_TRUE(h.loop.ended());
    EXPECT_TRUE(h.loop.boxes().empty());
    EXPECT_EQ(h.readRaw(h.settingsFile()), before);
    EXPECT_FALSE(d.Countdown.enabled());
}

}  // namespace
