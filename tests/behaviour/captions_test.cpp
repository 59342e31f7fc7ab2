// Button captions, tooltips and hotkeys from the caption tables, in both languages and both
// states, the start-up variants, toggling, and the hotkey maps.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/dialog_harness.h"

namespace {

using testing_support::DialogHarness;

struct Captions : ::testing::Test {
    DialogHarness harness;
    Dialog& dialog = harness.start();

    void lng(Command pr, int ch, std::optional<int> hard = std::nullopt) {
        harness.user([&] { dialog.ApplyCaptions(pr, ch, hard); });
    }
    std::string caption(Command button) { return dialog.Butt[button].caption(); }
    std::string tooltip(Command button) { return dialog.Butt[button].tooltip(); }
};

constexpr const char* MapEN = "0E1T2I3G4H5O";
constexpr const char* MapCS = "0K1T2N3R4I5O";

TEST_F(Captions, EveryButtonInEveryLanguageAndState) {
    const struct {
        Command button;
        bool english;
        int state;
        bool initializing;
        const char* caption;
        const char* tooltip;
    } cases[] = {
        {Command::Exit, true, 1, false, "&Exit", "Quit Opalist"},
        {Command::Exit, false, 1, false, "&Konec", "Ukončit Opalist"},
        {Command::StopContinue, true, 1, false, "Con&tinue", "Continue Countdown"},
        {Command::StopContinue, true, 2, false, "S&top", "Stop countdown"},
        {Command::StopContinue, false, 1, false, "Pokračova&t", "Pokračovat v odpočtu"},
        {Command::StopContinue, false, 2, false, "S&top", "Pozastavit odpočet"},
        {Command::ConfigRunAgain, true, 1, false, "Run aga&in", "Start countdown again"},
        {Command::ConfigRunAgain, true, 2, false, "Conf&ig", "Stop and setup"},
        {Command::ConfigRunAgain, false, 1, false, "Z&novu spustit", "Začít odpočet znovu"},
        {Command::ConfigRunAgain, false, 2, false, "&Nastavení", "Zastavit a nastavit"},
        {Command::GoNow, true, 1, false, "&Go now", "Skip Countdown"},
        {Command::GoNow, false, 1, false, "&Rovnou", "Přeskočit odpočet"},
        {Command::Help, true, 1, false, "&Help", "Program Description"},
        {Command::Help, false, 1, false, "&Info", "Popis programu"},
        {Command::OneByOne, true, 1, false, "&One by one", "Run launch list items manually"},
        {Command::OneByOne, false, 1, false, "Kr&ok za krokem", "Spustit příkazy ručně"},
        {Command::AddMod, true, 1, false, "Add", "Add line to the list"},
        {Command::AddMod, true, 2, false, "Mod", "Modify selected entry"},
        {Command::AddMod, false, 1, false, "Přid", "Přidat příkaz do seznamu"},
        {Command::AddMod, false, 2, false, "Upr", "Upravit vybranou položku"},
        {Command::Up, true, 1, false, "Up", "Move line up"},
        {Command::Up, false, 1, false, "Hore", "Posunout řádek nahoru"},
        {Command::Down, true, 1, false, "Dn", "Move line down"},
        {Command::Down, false, 1, false, "Dole", "Posunout řádek dolů"},
        {Command::Delete, true, 1, false, "Del", "Remove selected line"},
        {Command::Delete, false, 1, false, "Maž", "Smazat vybraný řádek"},
        {Command::ViewErrorLog, true, 1, false, "View error log", "Display error log file"},
        {Command::ViewErrorLog, false, 1, false, "Zobrazit chyby",
         "Zobrazit soubor chybových hlášek"},
        {Command::SaveChanges, true, 1, false, "Save changes", "Save changes"},
        {Command::SaveChanges, false, 1, false, "Uložit změny", "Uložit změny"},
        // While the window starts, buttons 1 and 2 have their states swapped.
        {Command::StopContinue, true, 1, true, "S&top", "Stop countdown"},
        {Command::StopContinue, true, 2, true, "Con&tinue", "Continue Countdown"},
        {Command::StopContinue, false, 1, true, "S&top", "Pozastavit odpočet"},
        {Command::StopContinue, false, 2, true, "Pokračova&t", "Pokračovat v odpočtu"},
        {Command::ConfigRunAgain, true, 1, true, "Conf&ig", "Stop and setup"},
        {Command::ConfigRunAgain, true, 2, true, "Run aga&in", "Start countdown again"},
        {Command::ConfigRunAgain, false, 1, true, "&Nastavení", "Zastavit a nastavit"},
        {Command::ConfigRunAgain, false, 2, true, "Z&novu spustit", "Začít odpočet znovu"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "button " << commandIndex(c.button) << (c.english ? " EN" : " CS")
                     << " state " << c.state << (c.initializing ? " start" : ""));
        dialog.Initializing = c.initializing;
        harness.selectLanguage(c.english);
        // The maps hold the same letters whichever variant is in force.
        EXPECT_EQ(dialog.HotkeyMapEN, MapEN);
        EXPECT_EQ(dialog.HotkeyMapCS, MapCS);
        if (c.state == 2) {
            lng(c.button, Dialog::True, 2);
        }
        EXPECT_EQ(caption(c.button), c.caption);
        EXPECT_EQ(tooltip(c.button), c.tooltip);
    }
}

// Resets append without looking for duplicates, whatever the change flag's other value or the
// state asked for; only a full pass empties the maps. Buttons 6 to 11 have no hotkeys.
TEST_F(Captions, ResetsAppendToTheHotkeyMapsUntilTheNextPass) {
    harness.selectLanguage(true);
    lng(Command::ConfigRunAgain, 2);
    lng(Command::StopContinue, 0, 2);
    for (Command button : {Command::AddMod, Command::Up, Command::Down, Command::Delete,
                           Command::ViewErrorLog, Command::SaveChanges}) {
        lng(button, 0);
    }
    lng(Command::ConfigRunAgain, 2);
    EXPECT_EQ(dialog.HotkeyMapEN, std::string(MapEN) + "2I1T2I");
    EXPECT_EQ(dialog.HotkeyMapCS, std::string(MapCS) + "2N1T2N");
    EXPECT_EQ(caption(Command::StopContinue), "Con&tinue");

    // A state request leaves the maps alone.
    lng(Command::StopContinue, Dialog::True);
    lng(Command::AddMod, Dialog::True, 2);
    EXPECT_EQ(dialog.HotkeyMapEN, std::string(MapEN) + "2I1T2I");

    harness.selectLanguage(false);
    EXPECT_EQ(dialog.HotkeyMapEN, MapEN);
    EXPECT_EQ(dialog.HotkeyMapCS, MapCS);
}

TEST_F(Captions, StateRequests) {
    const struct {
        const char* name;
        bool english;
        Command button;
        std::optional<const char*> shown;  // written on the button first, bypassing the tables
        std::optional<int> hard;
        const char* caption;
        const char* tooltip;
    } cases[] = {
        {"toggle from state 1", true, Command::StopContinue, std::nullopt, std::nullopt, "S&top",
         "Stop countdown"},
        {"toggle back", true, Command::StopContinue, "S&top", std::nullopt, "Con&tinue",
         "Continue Countdown"},
        {"toggle from Czech state 1", false, Command::StopContinue, std::nullopt, std::nullopt,
         "S&top", "Pozastavit odpočet"},
        {"toggle back in Czech", false, Command::StopContinue, "S&top", std::nullopt, "Pokračova&t",
         "Pokračovat v odpočtu"},
        // The toggle recognises state 1 of either language, whatever language is in force.
        {"Czech caption in English", true, Command::StopContinue, "Pokračova&t", std::nullopt,
         "S&top", "Stop countdown"},
        {"English caption in Czech", false, Command::StopContinue, "Con&tinue", std::nullopt,
         "S&top", "Pozastavit odpočet"},
        {"unknown caption toggles to 1", true, Command::StopContinue, "&Setup", std::nullopt,
         "Con&tinue", "Continue Countdown"},
        {"toggle button 2", true, Command::ConfigRunAgain, std::nullopt, std::nullopt, "Conf&ig",
         "Stop and setup"},
        {"hard 2 on button 6", false, Command::AddMod, std::nullopt, 2, "Upr",
         "Upravit vybranou položku"},
        {"hard 1 on button 6", true, Command::AddMod, "Mod", 1, "Add", "Add line to the list"},
        {"hard 3 changes nothing", true, Command::StopContinue, std::nullopt, 3, "Con&tinue",
         "Continue Countdown"},
        {"hard 0 changes nothing", true, Command::ConfigRunAgain, "Conf&ig", 0, "Conf&ig",
         "Start countdown again"},
        // A button without a second state keeps what it shows.
        {"toggle on a one-state button", true, Command::Exit, std::nullopt, std::nullopt, "&Exit",
         "Quit Opalist"},
        {"hard 2 on a one-state button", false, Command::Delete, std::nullopt, 2, "Maž",
         "Smazat vybraný řádek"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        harness.selectLanguage(c.english);
        if (c.shown) {
            dialog.Butt[c.button].setCaption(*c.shown);
        }
        lng(c.button, Dialog::True, c.hard);
        EXPECT_EQ(caption(c.button), c.caption);
        EXPECT_EQ(tooltip(c.button), c.tooltip);
    }
}

// While the window starts, state 1 of button 1 is Stop, so a toggle gives Continue.
TEST_F(Captions, TogglesDuringStartupUseTheStartupVariants) {
    dialog.Initializing = true;
    harness.selectLanguage(true);
    EXPECT_EQ(caption(Command::StopContinue), "S&top");
    EXPECT_EQ(caption(Command::ConfigRunAgain), "Conf&ig");
    lng(Command::StopContinue, Dialog::True);
    EXPECT_EQ(caption(Command::StopContinue), "Con&tinue");
    lng(Command::ConfigRunAgain, Dialog::True, 2);
    EXPECT_EQ(caption(Command::ConfigRunAgain), "Run aga&in");

    dialog.Initializing = false;
    lng(Command::StopContinue, Dialog::True);
    EXPECT_EQ(caption(Command::StopContinue), "S&top");
}

}  // namespace
