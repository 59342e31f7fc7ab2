#include "ui/caption_table.h"

#include <array>
#include <charconv>

#include "toolkit/text.h"

namespace {

constexpr std::array<std::string_view, AllCommands.size()> ButtonCaptionTable = {
    "E1;Exit;Quit Opalist;;;;K1;Konec;Ukončit Opalist;;;",
    "T4;Continue;Continue Countdown;T2;Stop;Stop countdown;T10;Pokračovat;Pokračovat v odpočtu;T2;"
    "Stop;Pozastavit odpočet",
    "I8;Run again;Start countdown again;I5;Config;Stop and setup;N2;Znovu spustit;Začít odpočet "
    "znovu;N1;Nastavení;Zastavit a nastavit",
    "G1;Go now;Skip Countdown;;;;R1;Rovnou;Přeskočit odpočet;;;",
    "H1;Help;Program Description;;;;I1;Info;Popis programu;;;",
    "O1;One by one;Run launch list items manually;;;;O3;Krok za krokem;Spustit příkazy ručně;;;",
    ";Add;Add line to the list;;Mod;Modify selected entry;;Přid;Přidat příkaz do seznamu;;Upr;"
    "Upravit vybranou položku",
    ";Up;Move line up;;;;;Hore;Posunout řádek nahoru;;;",
    ";Dn;Move line down;;;;;Dole;Posunout řádek dolů;;;",
    ";Del;Remove selected line;;;;;Maž;Smazat vybraný řádek;;;",
    ";View error log;Display error log file;;;;;Zobrazit chyby;Zobrazit soubor chybových hlášek;;;",
    ";Save changes;Save changes;;;;;Uložit změny;Uložit změny;;;",
};

constexpr std::string_view StartupStopTable =
    "T2;Stop;Stop countdown;T4;Continue;Continue Countdown;T2;Stop;Pozastavit odpočet;T10;"
    "Pokračovat;Pokračovat v odpočtu";
constexpr std::string_view StartupConfigTable =
    "I5;Config;Stop and setup;I8;Run again;Start countdown again;N1;Nastavení;Zastavit a "
    "nastavit;N2;Znovu spustit;Začít odpočet znovu";

}  // namespace

std::string_view buttonCaptionTable(Command command, bool initializing) {
    if (initializing && command == Command::StopContinue) {
        return StartupStopTable;
    }
    if (initializing && command == Command::ConfigRunAgain) {
        return StartupConfigTable;
    }
    return ButtonCaptionTable.at(static_cast<std::size_t>(commandIndex(command)));
}

std::string insertAccessKey(std::string_view caption, std::string_view hotkeyField) {
    const std::string digits = tk::characterSubstring(hotkeyField, 1);
    int position = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), position);
    if (position < 1) {
        return std::string(caption);
    }
    return tk::characterSubstring(caption, 0, position - 1) + "&" +
           tk::characterSubstring(caption, position - 1);
}

ButtonFace buttonFace(const std::vector<std::string>& fields, Language language, int state) {
    const std::size_t first =
        6 * static_cast<std::size_t>(language) + 3 * static_cast<std::size_t>(state - 1);
    const std::string& hotkeyField = fields.at(first);
    return {insertAccessKey(fields.at(first + 1), hotkeyField), fields.at(first + 2),
            tk::characterSubstring(hotkeyField, 0, 1)};
}
