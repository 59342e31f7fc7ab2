// Plain-key commands of the main window: each key in each language runs the click of its button
// (or nothing), only while that button is enabled; Esc exits whatever the state of Exit.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/dialog_harness.h"

namespace {

using testing_support::DialogHarness;

constexpr int Esc = 27;

Dialog& startCounting(DialogHarness& h, const std::string& language) {
    h.loop.answerUnscriptedWith(tk::Answer::No);
    return h.start({"<01100>", "10", language, "a", "b"});
}

// Which command the key ran, read from what it left behind.
std::string commandRun(DialogHarness& h) {
    Dialog& d = h.dialog();
    if (!h.shellRequests.empty()) {
        return "Go now";
    }
    if (!h.loop.boxes().empty()) {
        const std::string& title = h.loop.boxes().front().box.title;
        const bool help = title == "Opalist description" || title == "Popis Opalistu";
        return help ? "Help" : "One by one";
    }
    if (h.loop.ended()) {
        return "Exit";
    }
    if (d.height() != Dialog::CompactHeight) {
        return "Config";
    }
    return d.CountDispl.enabled() ? "nothing" : "Stop";
}

TEST(Keyboard, EachKeyRunsItsButtonInTheLanguage) {
    struct Row {
        const char* language;
        std::string keys;  // each pressed in a window of its own
        const char* command;
    };
    // The "nothing" rows: letters of the other language, digits (the maps' index digits
    // included), space, punctuation, an accented letter, letters of buttons without hotkeys.
    const std::vector<Row> rows = {
        {"EN", "eE\x1b", "Exit"},
        {"EN", "tT", "Stop"},
        {"EN", "iI", "Config"},
        {"EN", "gG", "Go now"},
        {"EN", "hH", "Help"},
        {"EN", "oO", "One by one"},
        {"EN", "knr04 .;audvs\xe9", "nothing"},
        {"CS", "kK\x1b", "Exit"},
        {"CS", "tT", "Stop"},
        {"CS", "nN", "Config"},
        {"CS", "rR", "Go now"},
        {"CS", "iI", "Help"},
        {"CS", "oO", "One by one"},
        {"CS", "egh25 ,\xe9", "nothing"},
    };
    for (const Row& row : rows) {
        for (const char key : row.keys) {
            DialogHarness h;
            startCounting(h, row.language);
            const int code = static_cast<unsigned char>(key);
            h.user([&] { h.dialog().keyPressedByUser(code); });
            EXPECT_EQ(commandRun(h), row.command) << row.language << " key " << code;
        }
    }
}

// Every control that hands its keys on, whether or not it can hold the focus at the moment.
TEST(Keyboard, EveryControlButAddHandsItsKeysOn) {
    DialogHarness h;
    Dialog& d = startCounting(h, "EN");
    std::vector<std::pair<std::string, tk::Control*>> controls = {{"LaunchList", &d.LaunchList},
                                                                  {"Timer", &d.Timer},
                                                                  {"TimerScroll", &d.TimerScroll},
                                                                  {"dErrMsg", &d.dErrMsg},
                                                                  {"sErrMsg", &d.sErrMsg},
                                                                  {"qErrMsg", &d.qErrMsg},
                                                                  {"PromptEach", &d.PromptEach},
                                                                  {"wStart", &d.wStart},
                                                                  {"LngEN", &d.LngEN},
                                                                  {"LngCS", &d.LngCS}};
    for (Command command : AllCommands) {
        controls.emplace_back("Butt " + std::to_string(commandIndex(command)), &d.Butt[command]);
    }
    for (const auto& [name, control] : controls) {
        const std::size_t before = h.loop.boxes().size();
        ASSERT_TRUE(control->onKeyPress) << name;
        h.user([&] { control->onKeyPress('h'); });
        EXPECT_EQ(h.loop.boxes().size(), before + 1) << name;
    }
}

TEST(Keyboard, LettersTypedIntoTheIntervalBoxRunCommandsDigitsDoNot) {
    DialogHarness h;
    Dialog& d = startCounting(h, "EN");
    h.click(Command::ConfigRunAgain);  // Config: the setup area with the interval box
    h.user([&] {
        ASSERT_TRUE(d.Timer.setFocus());
        for (const int key : {'1', '5', '0'}) {
            d.keyPressedByUser(key);
        }
    });
    EXPECT_FALSE(h.loop.ended());
    h.user([&] { d.keyPressedByUser('e'); });
    EXPECT_TRUE(h.loop.ended());
}

// An empty launch list leaves Stop, Run again, Go now and One by one disabled after start-up.
TEST(Keyboard, DisabledButtonsIgnoreTheirHotkeysButEscStillExits) {
    DialogHarness h;
    Dialog& d = h.start({"<01100>", "10", "EN"});
    const std::string butt1 = d.Butt[Command::StopContinue].caption();
    const std::string butt2 = d.Butt[Command::ConfigRunAgain].caption();
    for (const int key : {'t', 'i', 'g', 'o'}) {
        h.user([&] { d.keyPressedByUser(key); });
    }
    EXPECT_TRUE(h.loop.boxes().empty());
    EXPECT_TRUE(h.shellRequests.empty());
    EXPECT_EQ(d.Butt[Command::StopContinue].caption(), butt1);
    EXPECT_EQ(d.Butt[Command::ConfigRunAgain].caption(), butt2);
    EXPECT_FALSE(h.loop.ended());

    d.Butt[Command::Exit].setEnabled(false);
    h.user([&] { d.keyPressedByUser('e'); });
    EXPECT_FALSE(h.loop.ended());
    h.user([&] { d.keyPressedByUser(Esc); });
    EXPECT_TRUE(h.loop.ended());
}

TEST(Keyboard, EscCancelledAtTheSavePromptRunsNothingElse) {
    DialogHarness h;
    Dialog& d = startCounting(h, "EN");
    d.SettingsDirty = true;
    h.loop.answerNext(tk::Answer::Cancel);
    h.user([&] { d.keyPressedByUser(Esc); });
    EXPECT_FALSE(h.loop.ended());
    EXPECT_EQ(h.loop.boxes().size(), 1u);
    EXPECT_TRUE(h.shellRequests.empty());
}

}  // namespace
