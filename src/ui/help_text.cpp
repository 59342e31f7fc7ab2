// The program description of the Help / Info command.

#include "ui/help_text.h"

#include <array>
#include <string_view>

#include "launch/maker.h"

namespace {

struct HelpLine {
    std::string_view english;
    std::string_view czech;
    int lineFeeds;
};

// The feedback line (line 10) ends in the maker's address, appended when the text is built.
constexpr std::array<HelpLine, 11> HelpLines{{
    {"Opalist launches entered command lines or applications after the countdown interval.",
     "Opalist spustí zvolené aplikace nebo provede příkazy po uplynutí nastavené časové "
     "prodlevy.",
     2},
    {"Meanwhile you can quit the program, stop the countdown or use other functions",
     "Mezitím můžete program ukončit, zastavit odpočet nebo použít další funkce buď pomocí", 1},
    {"either by the defined hotkeys or simple keys pressing. Additional features to track ",
     "horkých kláves nebo jejich jednoduchým stisknutím. Jsou dostupné také doplňkové funkce", 1},
    {"possible launching errors or optional startup one by one also present.",
     "ke sledování chybných spouštěcích příkazů nebo jejich volitelnému spouštění jednotlivě.", 1},
    {"You can easily quit by Esc key at any time as well.",
     "Program můžete také snadno kdykoliv ukončit klávesou Esc.", 2},
    {"Use copy/paste for the command lines from the selected program properties winow.",
     "Použijte funkci kopíruj/vlož pro vložení příkazových řádků z okna vlastností zvolené "
     "aplikace.",
     2},
    {"I have found it useful for delayed start of programs you want to launch",
     "Tato utilita je mi užitečná pro opožděné spouštění programů při startu Windows,", 1},
    {"at Windows startup, or you can decide not to start them and quit.",
     "nebo se můžete rozhodnout příkazy nespouštět a program ukončit.", 1},
    {"It is a kind of optional startup for Windows.",
     "Je to jakýsi volitelný spouštěč programů ve Windows.", 2},
    {"Your feedback and ideas are welcome at ", "Své připomínky a nápady posílejte na ", 2},
    {"Hope you will enjoy this tool :-)", "Doufám se vám tato pomůcka bude líbit :-)", 2},
}};

constexpr std::size_t FeedbackLine = 9;

}  // namespace

std::string helpText(Language language) {
    std::string text;
    for (std::size_t line = 0; line < HelpLines.size(); ++line) {
        text += language == Language::English ? HelpLines[line].english : HelpLines[line].czech;
        if (line == FeedbackLine) {
            text += launch::MakerAddress;
        }
        text.append(static_cast<std::size_t>(HelpLines[line].lineFeeds), '\n');
    }
    return text;
}

std::string helpTitle(Language language) {
    return language == Language::English ? "Opalist description" : "Popis Opalistu";
}
