#include "launch/launch_message.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/shell.h"

namespace launch {
namespace {

constexpr std::array<std::pair<std::int32_t, Bilingual<const char*>>, 14> Messages{{
    {2, {"File not found", "Soubor nenalezen"}},
    {3, {"Path not found", "Cesta nenalezena"}},
    {5, {"Access denied", "Odepřen přístup"}},
    {8, {"Out of memory", "Nedostatek paměti"}},
    {11, {"Invalid EXE file or error in EXE image", "Chybný EXE soubor nebo chyba v EXE obrázku"}},
    {platform::shell_code::NulInCommandLine,
     {"The command line holds a NUL character and was not launched",
      "Příkazový řádek obsahuje znak NUL a nebyl spuštěn"}},
    {platform::shell_code::CommandLineTooLong,
     {"The command line is too long", "Příkazový řádek je příliš dlouhý"}},
    {26, {"A sharing violation occurred", "Narušení sdílení"}},
    {27, {"Incomplete or invalid file association", "Nekompletní nebo chybná asociace souboru"}},
    {28, {"DDE Time out", "DDE vypršení časového limitu"}},
    {29, {"DDE transaction failed", "DDE transakce se nezdařila"}},
    {30, {"DDE busy", "DDE zaneprázdněno"}},
    {31, {"No association for file extension", "Žádná asociace pro tuto příponu souboru"}},
    {32, {"DLL not found", "DLL knihovna nenalezena"}},
}};

struct FailureTexts {
    const char* unknownError;
    const char* unexpectedError;
    const char* savedAdvice;
    const char* notSavedAdvice;
    const char* notAskedAdvice;
    const char* quitAdvice;
    const char* command;
    const char* errorMessage;
    const char* title;
};
constexpr Bilingual<FailureTexts> Texts{
    {"Unknown error", "Unexpected error",
     "Error saved to Opalist log file, so that you can fix the command line.",
     "Error could not be saved to Opalist log file.",
     "Check option 'Save errors...' to see launching problems once they appear.",
     "Uncheck option 'Quit after countdown...' to keep Opalist active and fix errors.",
     "Command:", "Error message:", "Startup error"},
    {"Neznámá chyba", "Neočekávaná chyba",
     "Chyba uložena v logovacím souboru, aby bylo možné příkazový řádek spravit.",
     "Chybu se nepodařilo uložit do logovacího souboru.",
     "Zaškrtněte volbu 'Uložit chyby...', aby bylo možné sledovat chyby při spouštění, hned jak "
     "se objeví.",
     "Zrušte volbu 'Ukončit po odpočtu...', aby Opalist zůstal spuštěný pro spravení chyb.",
     "Příkaz:", "Chybová zpráva:", "Chyba spouštění"},
};

}  // namespace

std::string launchMessage(std::int32_t code, Language language) {
    for (const auto& [known, message] : Messages) {
        if (known == code) {
            return message[language];
        }
    }
    return Texts[language].unknownError;
}

std::string faultMessage(std::string_view what, Language language) {
    std::string message = Texts[language].unexpectedError;
    if (!what.empty()) {
        message += ": ";
        message += what;
        std::replace_if(
            message.begin(), message.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    }
    return message;
}

std::vector<std::string> launchAdvice(LogOutcome log, bool quitAfterCountdown, Language language) {
    const FailureTexts& texts = Texts[language];
    std::vector<std::string> advice{log == LogOutcome::Saved      ? texts.savedAdvice
                                    : log == LogOutcome::NotSaved ? texts.notSavedAdvice
                                                                  : texts.notAskedAdvice};
    if (quitAfterCountdown) {
        advice.emplace_back(texts.quitAdvice);
    }
    return advice;
}

std::string launchErrorText(const std::string& command, const std::string& message,
                            const std::vector<std::string>& advice, Language language) {
    const FailureTexts& texts = Texts[language];
    std::string text = texts.command;
    text += "\n" + command + "\n\n" + texts.errorMessage + "\n" + message;
    for (const std::string& sentence : advice) {
        text += "\n\n" + sentence;
    }
    return text + "\n\n";
}

std::string launchErrorTitle(Language language) {
    return Texts[language].title;
}

}  // namespace launch
