// The message about files beside the program that were not used because another user controls
// them: each one named with the reason, then the folder where the user's files are kept.

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
    std::string_view keptIn;
};

constexpr UnusedTexts EnglishTexts{"Files not used",
                                   "Opalist did not use",
                                   "It belongs to another user.",
                                   "Other users can change it.",
                                   "It is another file too (a hard link).",
                                   "It is a link that another user controls.",
                                   "Your settings and error log are kept in"};
constexpr UnusedTexts CzechTexts{"Soubory nepoužity",
                                 "Opalist nepoužil soubor",
                                 "Patří jinému uživateli.",
                                 "Mohou jej měnit i jiní uživatelé.",
                                 "Je to zároveň jiný soubor (pevný odkaz).",
                                 "Je to odkaz, který ovládá jiný uživatel.",
                                 "Vaše nastavení a výpis chyb jsou uloženy ve složce"};

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
                   const std::string& folder) {
    std::string text;
    for (const UnusedFile& file : files) {
        text.append(texts.notUsed).append("\n").append(file.path).append("\n");
        text.append(reason(texts, file.why)).append("\n\n");
    }
    return text.append(texts.keptIn).append("\n").append(folder);
}

}  // namespace

// The same words go to the standard error too, one line a file, for the session's log: a box
// shown at log-on may close with the program before anyone reads it.
void Dialog::ReportUnusedFiles() {
    const std::vector<UnusedFile>& files = services_.unusedFiles;
    if (files.empty()) {
        return;
    }
    const std::string& folder = services_.filesFolder();
    for (const UnusedFile& file : files) {
        std::fprintf(stderr, "opalist: did not use %s: %s Your files are kept in %s\n",
                     file.path.c_str(), std::string(reason(EnglishTexts, file.why)).c_str(),
                     folder.c_str());
    }
    const UnusedTexts& texts = English() ? EnglishTexts : CzechTexts;
    app().messageBox({std::string(texts.title), report(texts, files, folder), tk::Icon::Exclamation,
                      tk::Buttons::Ok});
}
