// The Help / Info command: the description in each language, and the countdown paused while the
// box is open.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "launch/maker.h"
#include "support/dialog_harness.h"
#include "ui/help_text.h"

namespace {

using testing_support::DialogHarness;

TEST(HelpText, ElevenLinesWithTheirLineFeedsEndingInTheMakersAddress) {
    for (const Language language : {Language::English, Language::Czech}) {
        const std::string text = helpText(language);
        // After lines 1 to 11: 2, 1, 1, 1, 2, 2, 1, 1, 2, 2, 2 line feeds.
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 17);
        EXPECT_EQ(text.find('\r'), std::string::npos);
        EXPECT_TRUE(text.ends_with(":-)\n\n"));
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty()) {
                lines.push_back(line);
            }
        }
        ASSERT_EQ(lines.size(), 11u);
        EXPECT_TRUE(lines[9].ends_with(launch::MakerAddress)) << lines[9];
        EXPECT_NE(text.find(lines[9] + "\n\n" + lines[10]), std::string::npos);
    }
    EXPECT_NE(helpText(Language::English).find("to track \npossible"), std::string::npos);
}

struct HelpCase {
    const char* language;
    int key;
    const char* title;
    const char* firstLine;
};

const std::vector<HelpCase> Cases = {
    {"EN", 'h', "Opalist description",
     "Opalist launches entered command lines or applications after the countdown interval."},
    {"CS", 'i', "Popis Opalistu",
     "Opalist spustí zvolené aplikace nebo provede příkazy po uplynutí nastavené časové "
     "prodlevy."},
};

TEST(Help, WhileCountingThePauseResumesWithTheFocusOnExit) {
    for (const HelpCase& c : Cases) {
        DialogHarness h;
        Dialog& d = h.start({"<01100>", "10", c.language, "a"});
        h.loop.advance(2000);
        const auto shown = d.RemainingSeconds;
        h.loop.answerNext(tk::Answer::Ok, 30000);  // the countdown would be long over
        h.user([&] { d.keyPressedByUser(c.key); });

        ASSERT_EQ(h.loop.boxes().size(), 1u) << c.language;
        const tk::MessageBox& box = h.loop.boxes()[0].box;
        EXPECT_EQ(box.title, c.title);
        EXPECT_TRUE(box.text.starts_with(std::string(c.firstLine) + "\n\n"));
        EXPECT_EQ(box.icon, tk::Icon::Information);
        EXPECT_EQ(box.buttons, tk::Buttons::Ok);

        EXPECT_TRUE(h.shellRequests.empty()) << c.language;
        EXPECT_EQ(d.RemainingSeconds, shown);
        EXPECT_TRUE(d.CountDispl.enabled());
        EXPECT_EQ(h.loop.dueAt(d.Countdown), h.loop.now() + shown * 1000);
        EXPECT_EQ(d.focused(), &d.Butt[Command::Exit]);
    }
}

// The run starts as the display reaches zero, not a whole interval after the box closed.
TEST(Help, TheRunStartsWhenTheResumedDisplayReachesZero) {
    DialogHarness h;
    Dialog& d = h.start({"<01100>", "10", "EN", "a"});
    h.loop.advance(6000);
    ASSERT_EQ(d.LblCountdown.caption(), "4 s");
    h.loop.answerNext(tk::Answer::Ok, 2000);
    h.click(Command::Help);

    h.loop.advance(3999);
    EXPECT_EQ(d.LblCountdown.caption(), "1 s");
    EXPECT_TRUE(d.Butt[Command::Exit].enabled());
    EXPECT_TRUE(h.shellRequests.empty());
    h.loop.advance(1);
    EXPECT_EQ(h.shellRequests.size(), 1u);
    EXPECT_TRUE(h.loop.ended());
}

TEST(Help, WhileStoppedOrInSetupTheCountdownStaysStopped) {
    for (const Command stopper :
         {Command::StopContinue, Command::ConfigRunAgain}) {  // Stop, Config
        DialogHarness h;
        Dialog& d = h.start({"<01100>", "10", "EN", "a"});
        h.click(stopper);
        h.user([&] { ASSERT_TRUE(d.Butt[Command::Help].setFocus()); });
        h.loop.answerNext(tk::Answer::Ok);
        h.click(Command::Help);
        EXPECT_EQ(h.loop.boxes().size(), 1u);
        EXPECT_FALSE(d.CountDispl.enabled()) << commandIndex(stopper);
        EXPECT_FALSE(d.Countdown.enabled());
        EXPECT_EQ(d.focused(), &d.Butt[Command::Help]);
    }
}

}  // namespace
