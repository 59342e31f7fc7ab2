// The launch run and One by one on virtual time: launch order, the questions, the report, when
// the program ends and when it stays, and exactly one run per countdown.

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "support/dialog_harness.h"

namespace {

using testing_support::DialogHarness;

struct Stage {
    DialogHarness h;

    // Entries named "fail..." are refused by the shell with "File not found".
    Dialog& start(const std::string& flags, std::vector<std::string> entries = {"a", "fail", "c"}) {
        std::vector<std::string> lines = {flags, "10", "EN"};
        lines.insert(lines.end(), entries.begin(), entries.end());
        h.writeSettings(lines);
        h.shellResult = [](const platform::ShellRequest& request) {
            return request.file.rfind("fail", 0) == 0 ? 2 : 42;
        };
        return h.start();
    }

    std::vector<std::string> launched() const {
        std::vector<std::string> files;
        for (const auto& request : h.shellRequests) {
            files.push_back(request.file);
        }
        return files;
    }
    std::vector<std::string> boxTitles() const {
        std::vector<std::string> titles;
        for (const auto& shown : h.loop.boxes()) {
            titles.push_back(shown.box.title);
        }
        return titles;
    }
};

std::string flags(bool display, bool save, bool quit, bool prompt = false) {
    return std::string("<0") + (display ? "1" : "0") + (save ? "1" : "0") + (prompt ? "1" : "0") +
           (quit ? "1" : "0") + ">";
}

TEST(LaunchRun, SecondOfThreeFailsUnderEveryOptionCombination) {
    for (int mask = 0; mask < 8; ++mask) {
        const bool display = mask & 1, save = mask & 2, quit = mask & 4;
        SCOPED_TRACE(flags(display, save, quit));
        Stage t;
        Dialog& d = t.start(flags(display, save, quit));
        t.h.loop.answerUnscriptedWith(tk::Answer::Ok);
        t.h.loop.advance(10000);

        EXPECT_EQ(t.launched(), (std::vector<std::string>{"a", "fail", "c"}));
        std::vector<std::string> titles;
        if (display) {
            titles.push_back("Startup error");
        }
        if (!quit) {
            titles.push_back("Opalist report");
        }
        EXPECT_EQ(t.boxTitles(), titles);
        EXPECT_EQ(t.h.loop.ended(), quit);
        EXPECT_EQ(d.Butt[Command::ViewErrorLog].enabled(), save);
        if (quit) {
            continue;
        }
        const std::string hint =
            save ? "\n\nSee list of errors in the log file and fix the issues." : "";
        EXPECT_EQ(t.h.loop.boxes().back().box.text,
                  "There were errors while launching command lines." + hint + "\n\n");
        EXPECT_EQ(t.h.loop.boxes().back().box.icon, tk::Icon::Information);
        // The setup view, ready for mending the list.
        EXPECT_EQ(d.height(), d.FullHeight);
        EXPECT_TRUE(d.FrSetup.visible());
        EXPECT_EQ(d.Butt[Command::StopContinue].caption(), "Con&tinue");
        EXPECT_EQ(d.Butt[Command::ConfigRunAgain].caption(), "Run aga&in");
        for (Command command : {Command::Exit, Command::StopContinue, Command::ConfigRunAgain,
                                Command::GoNow, Command::Help}) {
            EXPECT_TRUE(d.Butt[command].enabled()) << commandIndex(command);
        }
        EXPECT_FALSE(d.Butt[Command::OneByOne].enabled());
        EXPECT_FALSE(d.Butt[Command::SaveChanges].enabled());
        EXPECT_TRUE(d.Timer.hasFocus());
        EXPECT_EQ(d.HotkeyMapEN, "0E1T2I3G4H5O2I1T") << "the reset path registers again";
    }
}

TEST(LaunchRun, AllLaunchedInOrderThenTheProgramEnds) {
    Stage t;
    t.start(flags(true, true, false), {"a", "", "b", "c"});
    t.h.loop.advance(10000);
    EXPECT_EQ(t.launched(), (std::vector<std::string>{"a", "b", "c"})) << "empty entry skipped";
    EXPECT_TRUE(t.h.loop.boxes().empty());
    EXPECT_TRUE(t.h.loop.ended());
}

TEST(LaunchRun, PromptEachAsksBeforeEveryEntryAndNoLaunchesNothing) {
    Stage t;
    t.start(flags(true, true, false, true), {"a", "b"});
    t.h.loop.answerNext(tk::Answer::No);
    t.h.loop.answerNext(tk::Answer::No);
    t.h.loop.advance(10000);
    EXPECT_TRUE(t.launched().empty());
    EXPECT_EQ(t.boxTitles(), (std::vector<std::string>{"One by one (1/2)", "One by one (2/2)"}));
    EXPECT_EQ(t.h.loop.boxes()[1].box.text, "Command:\nb\n\nRun?");
    EXPECT_EQ(t.h.loop.boxes()[1].box.buttons, tk::Buttons::YesNo);
    EXPECT_TRUE(t.h.loop.ended());
}

TEST(LaunchRun, AFailureOfAnEarlierOneByOneKeepsTheProgramOpenAfterACleanRun) {
    Stage t;
    Dialog& d = t.start(flags(false, false, false), {"fail"});
    t.h.click(Command::ConfigRunAgain);
    t.h.loop.answerNext(tk::Answer::Yes);
    t.h.click(Command::OneByOne);
    EXPECT_TRUE(d.LaunchFailed);
    t.h.user([&] { d.LaunchList.setList(0, "fixed"); });
    t.h.loop.answerNext(tk::Answer::No);  // the language applied again marked the setup
    t.h.loop.answerNext(tk::Answer::Ok);
    t.h.click(Command::GoNow);
    EXPECT_EQ(t.launched(), (std::vector<std::string>{"fail", "fixed"}));
    EXPECT_FALSE(t.h.loop.ended());
    EXPECT_EQ(t.boxTitles().back(), "Opalist report");
}

// The boxes of a run stay above the windows that the programs it started open later; the boxes
// a user opens outside a run stay where the user puts them.
TEST(LaunchRun, OnlyTheBoxesOfARunStayOnTop) {
    Stage t;
    t.start(flags(true, false, false), {"fail"});
    for (const tk::Answer answer : {tk::Answer::Ok, tk::Answer::Yes, tk::Answer::Ok, tk::Answer::No,
                                    tk::Answer::Ok, tk::Answer::Ok}) {
        t.h.loop.answerNext(answer);
    }
    t.h.click(Command::Help);      // Help
    t.h.click(Command::OneByOne);  // One by one
    t.h.click(Command::GoNow);     // Go now, after "Save changes?"
    std::vector<std::pair<std::string, bool>> shown;
    for (const auto& box : t.h.loop.boxes()) {
        shown.emplace_back(box.box.title, box.box.onTop);
    }
    EXPECT_EQ(shown, (std::vector<std::pair<std::string, bool>>{{"Opalist description", false},
                                                                {"One by one (1/1)", true},
                                                                {"Startup error", true},
                                                                {"Save changes", false},
                                                                {"Startup error", true},
                                                                {"Opalist report", true}}));
}

TEST(OneByOne, FromSetupAsksEachAndStaysInTheSetupView) {
    Stage t;
    Dialog& d = t.start(flags(true, true, false), {"a", "b", "c"});
    t.h.click(Command::ConfigRunAgain);
    for (tk::Answer answer : {tk::Answer::Yes, tk::Answer::No, tk::Answer::Yes}) {
        t.h.loop.answerNext(answer);
    }
    t.h.click(Command::OneByOne);
    EXPECT_EQ(t.launched(), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(t.boxTitles(), (std::vector<std::string>{"One by one (1/3)", "One by one (2/3)",
                                                       "One by one (3/3)"}));
    EXPECT_FALSE(t.h.loop.ended());
    EXPECT_EQ(d.height(), d.FullHeight);
    EXPECT_TRUE(d.Butt[Command::SaveChanges].enabled()) << "the language is applied again";
    EXPECT_EQ(d.LblCountdown.caption(), "10 s");
    EXPECT_EQ(d.LblCountdownTxt.caption(), "Startup in");
    EXPECT_TRUE(d.Butt[Command::Exit].hasFocus());
    EXPECT_FALSE(d.CountDispl.enabled());
}

TEST(OneByOne, DuringTheCountdownEndsTheProgramUnlessALaunchFailed) {
    for (bool failing : {false, true}) {
        SCOPED_TRACE(failing);
        Stage t;
        Dialog& d = t.start(flags(false, false, false), {"a", failing ? "fail" : "b"});
        t.h.loop.advance(3000);
        t.h.loop.answerNext(tk::Answer::Yes);
        t.h.loop.answerNext(tk::Answer::Yes);
        t.h.click(Command::OneByOne);
        EXPECT_EQ(t.launched().size(), 2u);
        EXPECT_EQ(t.h.loop.ended(), !failing);
        if (failing) {
            EXPECT_EQ(d.height(), Dialog::CompactHeight);
            EXPECT_FALSE(d.Countdown.enabled());
            EXPECT_EQ(d.LblCountdown.caption(), "7 s");
        }
    }
}

// A shell that throws (out of memory, a platform error) fails its entry as a refusal would: the
// run goes on, and the failure is shown, logged and keeps the program open.
TEST(LaunchRun, AFaultWhileAnEntryIsHandledIsAFailedLaunch) {
    struct Case {
        const char* name;
        const char* language;
        bool oneByOne;
        bool display;
        bool save;
        std::string message;
        std::vector<std::string> titles;
    };
    const std::string english = "Unexpected error: no more processes";
    const std::vector<Case> cases{
        {"run", "EN", false, true, true, english, {"Startup error", "Opalist report"}},
        {"run, Czech",
         "CS",
         false,
         true,
         true,
         "Neočekávaná chyba: no more processes",
         {"Chyba spouštění", "Hlášení Opalistu"}},
        {"run, neither shown nor logged", "EN", false, false, false, english, {"Opalist report"}},
        {"one by one",
         "EN",
         true,
         true,
         true,
         english,
         {"One by one (1/3)", "One by one (2/3)", "Startup error", "One by one (3/3)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Stage t;
        t.h.writeSettings({flags(c.display, c.save, false), "10", c.language, "a", "boom", "c"});
        t.h.shellResult = [](const platform::ShellRequest& request) -> std::int32_t {
            if (request.file == "boom") {
                throw std::runtime_error("no more processes");
            }
            return 42;
        };
        Dialog& d = t.h.start();
        for (const std::string& title : c.titles) {
            t.h.loop.answerNext(title.starts_with("One by one") ? tk::Answer::Yes : tk::Answer::Ok);
        }
        if (c.oneByOne) {
            t.h.click(Command::OneByOne);
        } else {
            t.h.loop.advance(10000);
        }

        EXPECT_EQ(t.launched(), (std::vector<std::string>{"a", "boom", "c"}));
        EXPECT_EQ(t.boxTitles(), c.titles);
        if (c.display) {
            const std::string& text = t.h.loop.boxes()[c.oneByOne ? 2 : 0].box.text;
            EXPECT_NE(text.find("\nboom\n"), std::string::npos) << text;
            EXPECT_NE(text.find("\n" + c.message + "\n"), std::string::npos) << text;
        }
        // The message part is checked in the box: on Windows the log holds it in the code page.
        const std::string log = t.h.readRaw(t.h.errorLogFile());
        if (c.save) {
            std::string record;
            record.append("#").append(DialogHarness::Now).append("# | boom | ");
            EXPECT_TRUE(log.starts_with(record) && log.ends_with(" no more processes\r\n")) << log;
        } else {
            EXPECT_EQ(log, "");
        }
        EXPECT_TRUE(d.LaunchFailed);
        EXPECT_FALSE(t.h.loop.ended());
    }
}

TEST(LaunchRun, ExactlyOneRunWhicheverTimerTicksLast) {
    for (bool displayFirst : {false, true}) {
        SCOPED_TRACE(displayFirst);
        Stage t;
        Dialog& d = t.start(flags(true, true, false), {"fail"});
        t.h.loop.answerUnscriptedWith(tk::Answer::Ok);
        t.h.loop.advance(9999);
        if (displayFirst) {
            t.h.user([&] { d.CountDispl.tick(); });
        }
        t.h.loop.advance(1);
        if (!displayFirst) {
            t.h.user([&] { d.CountDispl.tick(); });  // a display tick that was already due
        }
        t.h.loop.advance(60000);
        EXPECT_EQ(t.launched().size(), 1u);
        EXPECT_EQ(d.LaunchRuns, 1u);
    }
}

TEST(LaunchRun, CountdownEndingUnderGoNowsQuestionIsTheOnlyRun) {
    for (bool failing : {false, true}) {
        SCOPED_TRACE(failing);
        Stage t;
        Dialog& d = t.start(flags(false, false, false), {failing ? "fail" : "a"});
        t.h.click(Command::ConfigRunAgain);
        t.h.changeAnOption();
        t.h.loop.answerNext(tk::Answer::No);
        t.h.click(Command::ConfigRunAgain);
        // The user takes 15 seconds to answer Go now's question; the countdown ends meanwhile.
        t.h.loop.answerNext(tk::Answer::No, 15000);
        t.h.loop.answerNext(tk::Answer::Ok);  // the report of the failing run
        t.h.click(Command::GoNow);
        EXPECT_EQ(t.launched().size(), 1u);
        EXPECT_EQ(t.h.loop.ended(), !failing);
        if (failing) {
            EXPECT_EQ(d.height(), d.FullHeight) << "Go now must not undo the setup view";
            EXPECT_EQ(d.Butt[Command::StopContinue].caption(), "Con&tinue");
            EXPECT_EQ(d.LaunchRuns, 1u);
        }
    }
}

}  // namespace
