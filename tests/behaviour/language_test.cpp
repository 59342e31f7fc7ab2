// The full caption pass in each language and the language option handlers: every text of the
// main window and of the error-log window, and what a switch changes besides the texts.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/view_err.h"
#include "support/dialog_harness.h"

namespace {

using testing_support::DialogHarness;

struct LanguageSwitch : ::testing::Test {
    DialogHarness harness;
    Dialog& dialog = harness.start();
};

struct Text {
    const char* name;
    std::function<std::string(Dialog&)> read;
    const char* english;
    const char* czech;
};

TEST_F(LanguageSwitch, FullPassWritesEveryTextInTheLanguage) {
    const std::vector<Text> texts = {
        {"title", [](Dialog& d) { return d.caption(); }, "opalist 1.4.4 - setup",
         "opalist 1.4.4 - nastavení"},
        {"LblCountdownTxt", [](Dialog& d) { return d.LblCountdownTxt.caption(); }, "Startup in",
         "Začátek za"},
        {"FrSetup", [](Dialog& d) { return d.FrSetup.caption(); }, "Setup", "Nastavení"},
        {"LblTimer", [](Dialog& d) { return d.LblTimer.caption(); },
         "Startup interval:", "Startovat za:"},
        {"LblAdd", [](Dialog& d) { return d.LblAdd.caption(); }, "Add command", "Vložit příkaz:"},
        {"LblLaunchList", [](Dialog& d) { return d.LblLaunchList.caption(); },
         "Launch list:", "Vložené příkazy:"},
        {"LblFirst", [](Dialog& d) { return d.LblFirst.caption(); },
         "First enter your command lines...", "Napřed vložte své příkazy..."},
        {"LblLng", [](Dialog& d) { return d.LblLng.caption(); }, "Language:", "Jazyk:"},
        {"copyr tooltip", [](Dialog& d) { return d.copyr.tooltip(); }, "The Opalist project",
         "Projekt Opalist"},
        {"Add tooltip", [](Dialog& d) { return d.Add.tooltip(); },
         "Use copy/paste for the command lines from the selected program properties winow",
         "Použijte kopíruj/vlož pro příkazový řádek z okna vlastností vybraného programu"},
        {"LaunchList tooltip", [](Dialog& d) { return d.LaunchList.tooltip(); },
         "Double-click to cancel the selection", "Dvojklik pro zrušení výběru"},
        {"dErrMsg", [](Dialog& d) { return d.dErrMsg.caption(); }, "Display error messages?",
         "Zobrazit chybové hlášky?"},
        {"dErrMsg tooltip", [](Dialog& d) { return d.dErrMsg.tooltip(); },
         "...when command line not valid", "...když příkaz není platný"},
        {"sErrMsg", [](Dialog& d) { return d.sErrMsg.caption(); }, "Save errors to log file?",
         "Uložit chyby do logovacího souboru?"},
        {"sErrMsg tooltip", [](Dialog& d) { return d.sErrMsg.tooltip(); },
         "...launching error messages saved in the program directory",
         "...chyby spouštění příkazů uloženy v adresáři programu"},
        {"qErrMsg", [](Dialog& d) { return d.qErrMsg.caption(); },
         "Quit after countdown even if launching error appears?",
         "Ukončit po odpočtu i při chybách?"},
        {"qErrMsg tooltip", [](Dialog& d) { return d.qErrMsg.tooltip(); },
         "...leave Opalist runing after countdown to fix command line errors",
         "...nechte Opalist běžet po odpočtu k odstranění chyb v příkazech"},
        {"PromptEach", [](Dialog& d) { return d.PromptEach.caption(); },
         "Prompt each command line before launching?", "Ptát se před spuštěním každého příkazu?"},
        {"PromptEach tooltip", [](Dialog& d) { return d.PromptEach.tooltip(); },
         "...optional startup - prompts for each line instead of automatic launch after countdown",
         "...volitelný start - ptá se na každý příkaz místo automatického spuštění po odpočtu"},
        {"wStart", [](Dialog& d) { return d.wStart.caption(); }, "Run at Windows startup?",
         "Spustit po startu Windows?"},
        {"wStart tooltip", [](Dialog& d) { return d.wStart.tooltip(); },
         "...ticked while Opalist starts at log-on: tick or clear it, then save",
         "...zaškrtnuto, když se Opalist spouští po přihlášení: změňte a uložte"},
        {"button 0", [](Dialog& d) { return d.Butt[Command::Exit].caption(); }, "&Exit", "&Konec"},
        {"button 4", [](Dialog& d) { return d.Butt[Command::Help].caption(); }, "&Help", "&Info"},
        {"ViewErr title", [](Dialog& d) { return d.viewErr().caption(); }, "opalist Error Log",
         "opalist výpis chyb"},
        {"ViewErr close", [](Dialog& d) { return d.viewErr().ButtClose.caption(); }, "&Close",
         "&Zavřít"},
        {"ViewErr close tooltip", [](Dialog& d) { return d.viewErr().ButtClose.tooltip(); },
         "Close error log window", "Zavřít okno výpisu chyb"},
        {"ViewErr clear", [](Dialog& d) { return d.viewErr().ButtDel.caption(); }, "C&lear",
         "&Smazat"},
        {"ViewErr clear tooltip", [](Dialog& d) { return d.viewErr().ButtDel.tooltip(); },
         "Delete error log file", "Smazat výpis chybových hlášek"},
        // Texts the pass leaves as designed.
        {"LngEN", [](Dialog& d) { return d.LngEN.caption(); }, "EN", "EN"},
        {"LngCS", [](Dialog& d) { return d.LngCS.caption(); }, "CS", "CS"},
        {"LblTimerS", [](Dialog& d) { return d.LblTimerS.caption(); }, "s (3 - 60)", "s (3 - 60)"},
        {"copyr", [](Dialog& d) { return d.copyr.caption(); }, "Opalist by the Opalist team",
         "Opalist by the Opalist team"},
    };
    // Czech first, so that every English text is written over a Czech one and back again.
    for (const bool english : {false, true, false}) {
        harness.selectLanguage(english);
        for (const Text& text : texts) {
            EXPECT_EQ(text.read(dialog), english ? text.english : text.czech)
                << text.name << (english ? " EN" : " CS");
        }
    }
}

TEST_F(LanguageSwitch, SwitchSelectsOneOptionMarksTheSetupChangedAndMovesTheTabStop) {
    harness.selectLanguage(true);
    for (const bool english : {false, true}) {
        SCOPED_TRACE(english ? "to English" : "to Czech");
        dialog.SettingsDirty = false;
        dialog.Butt[Command::SaveChanges].setEnabled(false);
        harness.selectLanguage(english);
        EXPECT_EQ(dialog.LngEN.value(), english);
        EXPECT_NE(dialog.LngCS.value(), english);
        EXPECT_EQ(dialog.LngEN.tabStop(), english);
        EXPECT_NE(dialog.LngCS.tabStop(), english);
        EXPECT_TRUE(dialog.Butt[Command::SaveChanges].enabled());
        EXPECT_TRUE(dialog.SettingsDirty);
    }
    // The error-log window exists now but stays hidden.
    EXPECT_FALSE(dialog.viewErr().visible());
}

// A switch resets buttons 1, 2 and 6 to state 1 and clears the list selection.
TEST_F(LanguageSwitch, SwitchWhileAnEntryIsSelectedDeselectsIt) {
    harness.selectLanguage(true);
    dialog.LaunchList.addItem("notepad");
    dialog.LaunchList.addItem("calc");
    harness.user([&] {
        dialog.LaunchList.setListIndex(1);
        dialog.ApplyCaptions(Command::AddMod, Dialog::True, 2);
        dialog.ApplyCaptions(Command::StopContinue, Dialog::True, 2);
    });
    harness.selectLanguage(false);
    EXPECT_EQ(dialog.LaunchList.listIndex(), -1);
    EXPECT_EQ(dialog.Butt[Command::AddMod].caption(), "Přid");
    EXPECT_EQ(dialog.Butt[Command::StopContinue].caption(), "Pokračova&t");
    EXPECT_EQ(dialog.LaunchList.listCount(), 2);
}

}  // namespace
