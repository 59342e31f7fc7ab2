// What a refused launch tells the user: the code-to-message table in both languages and the
// text of the "Startup error" box for each combination of options.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "launch/launch_message.h"

namespace {

TEST(LaunchMessage, EveryCodeHasItsMessageInBothLanguages) {
    struct Case {
        std::int32_t code;
        std::string english;
        std::string czech;
    };
    const std::string unknownEn = "Unknown error";
    const std::string unknownCs = "Neznámá chyba";
    const std::vector<Case> cases{
        {2, "File not found", "Soubor nenalezen"},
        {3, "Path not found", "Cesta nenalezena"},
        {5, "Access denied", "Odepřen přístup"},
        {8, "Out of memory", "Nedostatek paměti"},
        {11, "Invalid EXE file or error in EXE image",
         "Chybný EXE soubor nebo chyba v EXE obrázku"},
        {13, "The command line holds a NUL character and was not launched",
         "Příkazový řádek obsahuje znak NUL a nebyl spuštěn"},
        {24, "The command line is too long", "Příkazový řádek je příliš dlouhý"},
        {26, "A sharing violation occurred", "Narušení sdílení"},
        {27, "Incomplete or invalid file association", "Nekompletní nebo chybná asociace souboru"},
        {28, "DDE Time out", "DDE vypršení časového limitu"},
        {29, "DDE transaction failed", "DDE transakce se nezdařila"},
        {30, "DDE busy", "DDE zaneprázdněno"},
        {31, "No association for file extension", "Žádná asociace pro tuto příponu souboru"},
        {32, "DLL not found", "DLL knihovna nenalezena"},
        {0, unknownEn, unknownCs},
        {1, unknownEn, unknownCs},
        {4, unknownEn, unknownCs},
        {12, unknownEn, unknownCs},
        {-1, unknownEn, unknownCs},
        {std::numeric_limits<std::int32_t>::min(), unknownEn, unknownCs},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(launch::launchMessage(c.code, Language::English), c.english) << c.code;
        EXPECT_EQ(launch::launchMessage(c.code, Language::Czech), c.czech) << c.code;
    }
}

// The message goes into a log of one record a line, so a fault's own line breaks must not.
TEST(LaunchMessage, AFaultSaysWhatWentWrongOnOneLine) {
    struct Case {
        std::string what;
        Language language;
        std::string message;
    };
    const std::vector<Case> cases{
        {"std::bad_alloc", Language::English, "Unexpected error: std::bad_alloc"},
        {"std::bad_alloc", Language::Czech, "Neočekávaná chyba: std::bad_alloc"},
        {"first\r\nsecond\nthird\r", Language::English, "Unexpected error: first  second third "},
        {"", Language::English, "Unexpected error"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(launch::faultMessage(c.what, c.language), c.message) << c.what;
    }
}

TEST(LaunchErrorBox, TextFollowsTheOptionsInBothLanguages) {
    using launch::LogOutcome;
    const std::string entry = R"( "C:\tool.exe"  /x)";
    const std::string savedEn =
        "Error saved to Opalist log file, so that you can fix the command line.";
    const std::string notAskedEn =
        "Check option 'Save errors...' to see launching problems once they appear.";
    const std::string quitEn =
        "Uncheck option 'Quit after countdown...' to keep Opalist active and fix errors.";
    const std::string headEn = "Command:\n" + entry + "\n\nError message:\nFile not found";
    const std::string headCs = "Příkaz:\n" + entry + "\n\nChybová zpráva:\nSoubor nenalezen";
    struct Case {
        LogOutcome log;
        bool quit;
        Language language;
        std::string text;
    };
    const std::vector<Case> cases{
        {LogOutcome::Saved, true, Language::English,
         headEn + "\n\n" + savedEn + "\n\n" + quitEn + "\n\n"},
        {LogOutcome::Saved, false, Language::English, headEn + "\n\n" + savedEn + "\n\n"},
        {LogOutcome::NotAsked, true, Language::English,
         headEn + "\n\n" + notAskedEn + "\n\n" + quitEn + "\n\n"},
        {LogOutcome::NotAsked, false, Language::English, headEn + "\n\n" + notAskedEn + "\n\n"},
        {LogOutcome::NotSaved, false, Language::English,
         headEn + "\n\nError could not be saved to Opalist log file.\n\n"},
        {LogOutcome::Saved, true, Language::Czech,
         headCs +
             "\n\nChyba uložena v logovacím souboru, aby bylo možné příkazový řádek spravit."
             "\n\nZrušte volbu 'Ukončit po odpočtu...', aby Opalist zůstal spuštěný pro spravení "
             "chyb.\n\n"},
        {LogOutcome::NotAsked, false, Language::Czech,
         headCs + "\n\nZaškrtněte volbu 'Uložit chyby...', aby bylo možné sledovat chyby při "
                  "spouštění, hned jak se objeví.\n\n"},
        {LogOutcome::NotSaved, false, Language::Czech,
         headCs + "\n\nChybu se nepodařilo uložit do logovacího souboru.\n\n"},
    };
    for (const Case& c : cases) {
        const std::string message = launch::launchMessage(2, c.language);
        EXPECT_EQ(launch::launchErrorText(
                      entry, message, launch::launchAdvice(c.log, c.quit, c.language), c.language),
                  c.text);
    }
    EXPECT_EQ(launch::launchErrorTitle(Language::English), "Startup error");
    EXPECT_EQ(launch::launchErrorTitle(Language::Czech), "Chyba spouštění");
}

}  // namespace
