#include "app/setup_options.h"

#include <algorithm>
#include <stdexcept>

#include "app/dialog.h"

namespace {

constexpr SetupOption Options[] = {
    {"dErrMsg",
     &Dialog::dErrMsg,
     2520,
     2,
     1,
     {"Display error messages?", "...when command line not valid"},
     {"Zobrazit chybové hlášky?", "...když příkaz není platný"}},
    {"sErrMsg",
     &Dialog::sErrMsg,
     2760,
     3,
     1,
     {"Save errors to log file?", "...launching error messages saved in the program directory"},
     {"Uložit chyby do logovacího souboru?",
      "...chyby spouštění příkazů uloženy v adresáři programu"}},
    {"qErrMsg",
     &Dialog::qErrMsg,
     3000,
     5,
     0,
     {"Quit after countdown even if launching error appears?",
      "...leave Opalist runing after countdown to fix command line errors"},
     {"Ukončit po odpočtu i při chybách?",
      "...nechte Opalist běžet po odpočtu k odstranění chyb v příkazech"}},
    {"PromptEach",
     &Dialog::PromptEach,
     3240,
     4,
     0,
     {"Prompt each command line before launching?",
      "...optional startup - prompts for each line instead of automatic launch after countdown"},
     {"Ptát se před spuštěním každého příkazu?",
      "...volitelný start - ptá se na každý příkaz místo automatického spuštění po odpočtu"}},
    {"wStart",
     &Dialog::wStart,
     3480,
     1,
     0,
     {"Run at Windows startup?",
      "...ticked while Opalist starts at log-on: tick or clear it, then save"},
     {"Spustit po startu Windows?",
      "...zaškrtnuto, když se Opalist spouští po přihlášení: změňte a uložte"}},
};

}  // namespace

std::span<const SetupOption> setupOptions() {
    return Options;
}

tk::CheckBox makeOptionBox(tk::Container& frame, tk::CheckBox Dialog::*box) {
    const auto row = std::find_if(std::begin(Options), std::end(Options),
                                  [box](const SetupOption& option) { return option.box == box; });
    if (row == std::end(Options)) {
        throw std::logic_error("a check box without a row in the options table");
    }
    return tk::CheckBox(frame, {120, row->top, 4215, 255}, row->english.caption);
}
