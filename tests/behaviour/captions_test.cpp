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

    // Selecting a language option runs its handler and so the full caption pass.
    void select(bool english) {
        harness.user([&] { (english ? dialog.LngEN : dialog.LngCS).setValue(true); });
    }
    void lng(int pr, int ch, std::optional<int> hard = std::nullopt) {
        harness.user([&] { dialog.Lng(pr, ch, hard); });
    }
    std::string caption(int button) { return dialog.Butt[button].caption(); }
    std::string tooltip(int button) { return dialog.Butt[button].tooltip(); }
};

constexpr const char* MapEN = "0E1T2I3G4H5O";
constexpr const char* MapCS = "0K1T2N3R4I5O";

TEST_F(Captions, EveryButtonInEveryLanguageAndState) {
    const struct {
        int button;
        bool english;
        int state;
        bool initializing;
        const char* caption;
        const char* tooltip;
    } cases[] = {
        {0, true, 1, false, "&Exit", "Quit Opalist"},
        {0, false, 1, false, "&Konec", "Ukončit Opalist"},
        {1, true, 1, false, "Con&tinue", "Continue Countdown"},
        {1, true, 2, false, "S&top", "Stop countdown"},
        {1, false, 1, false, "Pokračova&t", "Pokračovat v odpočtu"},
        {1, false, 2, false, "S&top", "Pozastavit odpočet"},
        {2, true, 1, false, "Run aga&in", "Start countdown again"},
        {2, true, 2, false, "Conf&ig", "Stop and setup"},
        {2, false, 1, false, "Z&novu spustit", "Začít odpočet znovu"},
        {2, false, 2, false, "&Nastavení", "Zastavit a nastavit"},
        {3, true, 1, false, "&Go now", "Skip Countdown"},
        {3, false, 1, false, "&Rovnou", "Přeskočit odpočet"},
        {4, true, 1, false, "&Help", "Program Description"},
        {4, false, 1, false, "&Info", "Popis programu"},
        {5, true, 1, false, "&One by one", "Run launch list items manually"},
        {5, false, 1, false, "Kr&ok za krokem", "Spustit příkazy ručně"},
        {6, true, 1, false, "Add", "Add line to the list"},
        {6, true, 2, false, "Mod", "Modify selected entry"},
        {6, false, 1, false, "Přid", "Přidat příkaz do seznamu"},
        {6, false, 2, false, "Upr", "Upravit vybranou položku"},
        {7, true, 1, false, "Up", "Move line up"},
        {7, false, 1, false, "Hore", "Posunout řádek nahoru"},
        {8, true, 1, false, "Dn", "Move line down"},
        {8, false, 1, false, "Dole", "Posunout řádek dolů"},
        {9, true, 1, false, "Del", "Remove selected line"},
        {9, false, 1, false, "Maž", "Smazat vybraný řádek"},
        {10, true, 1, false, "View error log", "Display error log file"},
        {10, false, 1, false, "Zobrazit chyby", "Zobrazit soubor chybových hlášek"},
        {11, true, 1, false, "Save changes", "Save changes"},
        {11, false, 1, false, "Uložit změny", "Uložit změny"},
        // While the window starts, buttons 1 and 2 have their states swapped.
        {1, true, 1, true, "S&top", "Stop countdown"},
        {1, true, 2, true, "Con&tinue", "Continue Countdown"},
        {1, false, 1, true, "S&top", "Pozastavit odpočet"},
        {1, false, 2, true, "Pokračova&t", "Pokračovat v odpočtu"},
        {2, true, 1, true, "Conf&ig", "Stop and setup"},
        {2, true, 2, true, "Run aga&in", "Start countdown again"},
        {2, false, 1, true, "&Nastavení", "Zastavit a nastavit"},
        {2, false, 2, true, "Z&novu spustit", "Začít odpočet znovu"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "button " << c.button << (c.english ? " EN" : " CS") << " state " << c.state
                     << (c.initializing ? " start" : ""));
        dialog.Initializing = c.initializing;
        select(c.english);
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
    select(true);
    lng(2, 2);
    lng(1, 0, 2);
    for (int button = 6; button <= 11; ++button) {
        lng(button, 0);
    }
    lng(2, 2);
    EXPECT_EQ(dialog.HotkeyMapEN, std::string(MapEN) + "2I1T2I");
    EXPECT_EQ(dialog.HotkeyMapCS, std::string(MapCS) + "2N1T2N");
    EXPECT_EQ(caption(1), "Con&tinue");

    // A state request leaves the maps alone.
    lng(1, Dialog::True);
    lng(6, Dialog::True, 2);
    EXPECT_EQ(dialog.HotkeyMapEN, std::string(MapEN) + "2I1T2I");

    select(false);
    EXPECT_EQ(dialog.HotkeyMapEN, MapEN);
    EXPECT_EQ(dialog.HotkeyMapCS, MapCS);
}

TEST_F(Captions, StateRequests) {
    const struct {
        const char* name;
        bool english;
        int button;
        std::optional<const char*> shown;  // written on the button first, bypassing the tables
        std::optional<int> hard;
        const char* caption;
        const char* tooltip;
    } cases[] = {
        {"toggle from state 1", true, 1, std::nullopt, std::nullopt, "S&top", "Stop countdown"},
        {"toggle back", true, 1, "S&top", std::nullopt, "Con&tinue", "Continue Countdown"},
        {"toggle from Czech state 1", false, 1, std::nullopt, std::nullopt, "S&top",
         "Pozastavit odpočet"},
        {"toggle back in Czech", false, 1, "S&top", std::nullopt, "Pokračova&t",
         "Pokračovat v odpočtu"},
        // The toggle recognises state 1 of either language, whatever language is in force.
        {"Czech caption in English", true, 1, "Pokračova&t", std::nullopt, "S&top",
         "Stop countdown"},
        {"English caption in Czech", false, 1, "Con&tinue", std::nullopt, "S&top",
         "Pozastavit odpočet"},
        {"unknown caption toggles to 1", true, 1, "&Setup", std::nullopt, "Con&tinue",
         "Continue Countdown"},
        {"toggle button 2", true, 2, std::nullopt, std::nullopt, "Conf&ig", "Stop and setup"},
        {"hard 2 on button 6", false, 6, std::nullopt, 2, "Upr", "Upravit vybranou položku"},
        {"hard 1 on button 6", true, 6, "Mod", 1, "Add", "Add line to the list"},
        {"hard 3 changes nothing", true, 1, std::nullopt, 3, "Con&tinue", "Continue Countdown"},
        {"hard 0 changes nothing", true, 2, "Conf&ig", 0, "Conf&ig", "Start countdown again"},
        // A button without a second state keeps what it shows.
        {"toggle on a one-state button", true, 0, std::nullopt, std::nullopt, "&Exit",
         "Quit Opalist"},
        {"hard 2 on a one-state button", false, 9, std::nullopt, 2, "Maž", "Smazat vybraný řádek"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        select(c.english);
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
    select(true);
    EXPECT_EQ(caption(1), "S&top");
    EXPECT_EQ(caption(2), "Conf&ig");
    lng(1, Dialog::True);
    EXPECT_EQ(caption(1), "Con&tinue");
    lng(2, Dialog::True, 2);
    EXPECT_EQ(caption(2), "Run aga&in");

    dialog.Initializing = false;
    lng(1, Dialog::True);
    EXPECT_EQ(caption(1), "S&top");
}

}  // namespace
