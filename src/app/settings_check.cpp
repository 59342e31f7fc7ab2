#include "app/settings_check.h"

#include <utility>

#include "app/file_location.h"
#include "app/logon_check.h"
#include "app/settings_file.h"
#include "launch/shown_text.h"
#include "platform/file_ownership.h"
#include "platform/text_file.h"
#include "ui/bilingual_text.h"

namespace {

// The report's head, in the language of the settings file.
struct CheckTexts {
    const char* settingsFile;
    const char* notMadeYet;
};
constexpr Bilingual<CheckTexts> Texts{
    {"Settings file: ", " (not made yet: the launch list is empty)"},
    {"Soubor nastavení: ", " (zatím neexistuje: seznam je prázdný)"},
};

// Why another user could change a file or folder; empty for one that is the user's own.
std::string foreignReason(platform::Ownership ownership) {
    switch (ownership) {
        case platform::Ownership::OtherOwner:
            return "it belongs to another user";
        case platform::Ownership::WritableByOthers:
            return "other users can change it";
        case platform::Ownership::SeveralNames:
            return "it is another file too (a hard link)";
        case platform::Ownership::ForeignLink:
            return "it is a link that another user controls";
        default:
            return {};
    }
}

// Why a file that is there cannot be checked, for the one error line.
std::string unreadableReason(const std::string& path, const platform::ReadResult& read) {
    if (read.tooLarge) {
        return "it is larger than any launch list (over 64 MB)";
    }
    if (std::string foreign = foreignReason(platform::checkFile(path).ownership);
        !foreign.empty()) {
        return foreign;
    }
    return read.opened ? "it could not be read to its end"
                       : "it is not a regular file that can be read";
}

}  // namespace

CheckOutcome checkSettingsFile(const Services& services, const std::string& namedFile,
                               const launch::Planner& plan, const logon::LogonPlatform& logon) {
    const std::string path =
        !namedFile.empty() ? namedFile
        : !services.carriedSettings.empty()
            ? services.carriedSettings
            : settingsFilePath(services.filesFolder(), services.process, services.pathSeparator);
    const std::string program = launch::shownText(services.process.name);
    if (namedFile.empty() && services.noFilesFolder) {
        const UnusedFile& folder = services.unusedFiles.back();
        return {{},
                program + ": cannot check the settings file: no folder for it is yours alone (" +
                    launch::shownText(folder.path) + ": " + foreignReason(folder.why) + ")\n",
                2};
    }
    const platform::ReadResult read = platform::readLines(path);
    if (!read.complete) {
        return {{},
                program + ": cannot check " + launch::shownText(path) + ": " +
                    unreadableReason(path, read) + "\n",
                2};
    }
    if (!read.opened && !namedFile.empty()) {
        return {{},
                program + ": cannot check " + launch::shownText(path) + ": there is no such file\n",
                2};
    }
    settings::FileText file = settings::splitFile(read.lines);
    std::vector<std::string> entries;
    entries.reserve(file.entries.size());
    for (std::string& entry : file.entries) {
        entries.push_back(settings::entryFromFile(std::move(entry)));
    }
    const Language language =
        settings::isCzech(file.language) ? Language::Czech : Language::English;
    const CheckTexts& texts = Texts[language];
    std::string out = texts.settingsFile + launch::shownText(path);
    if (!read.opened) {
        out += texts.notMadeYet;
    }
    out += '\n';
    const launch::ListCheck check =
        launch::checkEntries(entries, language, services.pathSeparator, plan);
    logon::LogonPrograms programs(logon);
    programs.refresh(logon::LogonPrograms::Guarding::Look);
    const LogonCheck logonCheck = checkLogonPrograms(programs, language);
    const int failures = check.failures + logonCheck.failures;
    return {out + check.report + logonCheck.report, {}, failures > 0 ? 1 : 0};
}
