// The message about files under the user's name that were not used: those beside the program
// that another user controls, and a settings file larger than any launch list. Each one is
// named with the reason, then the folder where the user's files are kept.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/dialog.h"

namespace {

struct UnusedTexts {
    std::string_view title;
    std::string_view notUsed;
    std::string_view otherOwner;
    std::string_view writableByOthers;
    std::string_view severalNames;
    std::string_view foreignLink;
    std::string_view tooLarge;
    std::string_view keptIn;
    std::string_view keptNowhere;
};

constexpr Bilingual<UnusedTexts> Texts{
    {"Files not used", "Opalist did not use", "It belongs to another user.",
     "Other users can change it.", "It is another file too (a hard link).",
     "It is a link that another user controls.",
     "It is larger than any launch list (over 64 MB). It is kept "
     "as it is, and nothing is saved over it.",
     "Your settings and error log are kept in",
     "No folder for your settings and error log is yours alone: "
     "nothing is read or saved until one is."},
    {"Soubory nepoužity", "Opalist nepoužil soubor", "Patří jinému uživateli.",
     "Mohou jej měnit i jiní uživatelé.", "Je to zároveň jiný soubor (pevný odkaz).",
     "Je to odkaz, který ovládá jiný uživatel.",
     "Je větší než jakýkoli seznam (přes 64 MB). Zůstává, jak je, "
     "a nic se do něj neuloží.",
     "Vaše nastavení a výpis chyb jsou uloženy ve složce",
     "Žádná složka pro vaše nastavení a výpis chyb nepatří jen "
     "vám: nic se nenačte ani neuloží, dokud taková nebude."},
};

std::string_view reason(const UnusedTexts& texts, platform::Ownership why) {
    switch (why) {
        case platform::Ownership::OtherOwner:
            return texts.otherOwner;
        case platform::Ownership::WritableByOthers:
            return texts.writableByOthers;
        case platform::Ownership::SeveralNames:
            return texts.severalNames;
        default:
            return texts.foreignLink;
    }
}

std::string report(const UnusedTexts& texts, const std::vector<UnusedFile>& files,
                   const std::string& tooLarge, const std::string* folder) {
    std::string text;
    const auto entry = [&](const std::string& path, std::string_view why) {
        text.append(texts.notUsed).append("\n").append(path).append("\n");
        text.append(why).append("\n\n");
    };
    for (const UnusedFile& file : files) {
        entry(file.path, reason(texts, file.why));
    }
    if (!tooLarge.empty()) {
        entry(tooLarge, texts.tooLarge);
    }
    if (folder == nullptr) {
        return text.append(texts.keptNowhere);
    }
    return text.append(texts.keptIn).append("\n").append(*folder);
}

void reportLine(const std::string& path, std::string_view why, const std::string* folder) {
    const std::string kept = folder != nullptr ? "Your files are kept in " + *folder
                                               : std::string(Texts.english.keptNowhere);
    std::fprintf(stderr, "opalist: did not use %s: %s %s\n", path.c_str(), std::string(why).c_str(),
                 kept.c_str());
}

}  // namespace

// The same words go to the standard error too, one line a file, for the session's log: a box
// shown at log-on may close with the program before anyone reads it.
void Dialog::ReportUnusedFiles() {
    const std::vector<UnusedFile>& files = services_.unusedFiles;
    if (files.empty() && TooLargeSettings.empty()) {
        return;
    }
    const std::string* folder = services_.noFilesFolder ? nullptr : &services_.filesFolder();
    for (const UnusedFile& file : files) {
        reportLine(file.path, reason(Texts.english, file.why), folder);
    }
    if (!TooLargeSettings.empty()) {
        reportLine(TooLargeSettings, Texts.english.tooLarge, folder);
    }
    const UnusedTexts& texts = Texts[language()];
    app().messageBox({std::string(texts.title), report(texts, files, TooLargeSettings, folder),
                      tk::Icon::Exclamation, tk::Buttons::Ok});
}
