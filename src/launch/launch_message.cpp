#include "launch/launch_message.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/shell.h"

namespace launch {
namespace {

// A bilingual pair string: English, ";", Czech.
std::string half(const std::string& pair, bool english) {
    const auto cut = pair.find(';');
    return english ? pair.substr(0, cut) : pair.substr(cut + 1);
}

constexpr std::array<std::pair<std::int32_t, const char*>, 14> Messages{{
    {2, "File not found;Soubor nenalezen"},
    {3, "Path not found;Cesta nenalezena"},
    {5, "Access denied;Odepřen přístup"},
    {8, "Out of memory;Nedostatek paměti"},
    {11, "Invalid EXE file or error in EXE image;Chybný EXE soubor nebo chyba v EXE obrázku"},
    {platform::shell_code::NulInCommandLine,
     "The command line holds a NUL character and was not launched;"
     "Příkazový řádek obsahuje znak NUL a nebyl spuštěn"},
    {platform::shell_code::CommandLineTooLong,
     "The command line is too long;Příkazový řádek je příliš dlouhý"},
    {26, "A sharing violation occurred;Narušení sdílení"},
    {27, "Incomplete or invalid file association;Nekompletní nebo chybná asociace souboru"},
    {28, "DDE Time out;DDE vypršení časového limitu"},
    {29, "DDE transaction failed;DDE transakce se nezdařila"},
    {30, "DDE busy;DDE zaneprázdněno"},
    {31, "No association for file extension;Žádná asociace pro tuto příponu souboru"},
    {32, "DLL not found;DLL knihovna nenalezena"},
}};
constexpr const char* UnknownError = "Unknown error;Neznámá chyba";
constexpr const char* UnexpectedError = "Unexpected error;Neočekávaná chyba";

constexpr const char* SavedAdvice =
    "Error saved to Opalist log file, so that you can fix the command line.;"
    "Chyba uložena v logovacím souboru, aby bylo možné příkazový řádek spravit.";
constexpr const char* NotSavedAdvice =
    "Error could not be saved to Opalist log file.;"
    "Chybu se nepodařilo uložit do logovacího souboru.";
constexpr const char* NotAskedAdvice =
    "Check option 'Save errors...' to see launching problems once they appear.;"
    "Zaškrtněte volbu 'Uložit chyby...', aby bylo možné sledovat chyby při spouštění, hned jak "
    "se objeví.";
constexpr const char* QuitAdvice =
    "Uncheck option 'Quit after countdown...' to keep Opalist active and fix errors.;"
    "Zrušte volbu 'Ukončit po odpočtu...', aby Opalist zůstal spuštěný pro spravení chyb.";

}  // namespace

std::string launchMessage(std::int32_t code, bool english) {
    for (const auto& [known, pair] : Messages) {
        if (known == code) {
            return half(pair, english);
        }
    }
    return half(UnknownError, english);
}

std::string faultMessage(std::string_view what, bool english) {
    std::string message = half(UnexpectedError, english);
    if (!what.empty()) {
        message += ": ";
        message += what;
        std::replace_if(
            message.begin(), message.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    }
    return message;
}

std::vector<std::string> launchAdvice(LogOutcome log, bool quitAfterCountdown, bool english) {
    const char* logAdvice = log == LogOutcome::Saved      ? SavedAdvice
                            : log == LogOutcome::NotSaved ? NotSavedAdvice
                                                          : NotAskedAdvice;
    std::vector<std::string> advice{half(logAdvice, english)};
    if (quitAfterCountdown) {
        advice.push_back(half(QuitAdvice, english));
    }
    return advice;
}

std::string launchErrorText(const std::string& command, const std::string& message,
                            const std::vector<std::string>& advice, bool english) {
    std::string text = english ? "Command:" : "Příkaz:";
    text +=
        "\n" + command + "\n\n" + (english ? "Error message:" : "Chybová zpráva:") + "\n" + message;
    for (const std::string& sentence : advice) {
        text += "\n\n" + sentence;
    }
    return text + "\n\n";
}

std::string launchErrorTitle(bool english) {
    return english ? "Startup error" : "Chyba spouštění";
}

}  // namespace launch
