// The settings file of the main window: its name, reading it into the controls, and the
// "Save changes" command that writes the controls back.

#include <utility>

#include "app/dialog.h"
#include "app/file_location.h"
#include "app/settings_file.h"
#include "platform/text_file.h"

namespace {

struct SaveTexts {
    const char* title;
    const char* notSavedTo;
    const char* logonNotChanged;
    // Why nothing is saved after a settings file was refused as too large, and where no folder
    // is the user's alone.
    const char* tooLarge;
    const char* noFolder;
    // Why Save wrote nothing: a line holds a character the system's code page cannot store. The
    // line goes between the first two, the code page between the last two.
    const char* refusedLine;
    const char* refusedCodePage;
    const char* refusedEnd;
};
constexpr Bilingual<SaveTexts> Texts{
    {"Save changes", "The settings could not be saved to\n",
     "The start at log-on could not be changed:\n",
     "The settings file that was found is larger than any launch list: it is kept as it is, "
     "and nothing is saved over it. Move it away and start Opalist again.",
     "No folder for your files is yours alone: other users could change what is saved there.",
     "The line \"", "\" holds characters that code page ", " of this system cannot store."},
    {"Uložit změny", "Nastavení se nepodařilo uložit do\n",
     "Spuštění po přihlášení se nepodařilo změnit:\n",
     "Nalezený soubor nastavení je větší než jakýkoli seznam: zůstává, jak je, a nic se do něj "
     "neuloží. Přesuňte jej jinam a spusťte Opalist znovu.",
     "Žádná složka pro vaše soubory nepatří jen vám: co se do ní uloží, mohou měnit i jiní "
     "uživatelé.",
     "Řádek \"", "\" obsahuje znaky, které kódová stránka ", " tohoto systému nedokáže uložit."},
};

std::string refusalReason(const SaveTexts& texts, const platform::UnstorableLine& refused) {
    return texts.refusedLine + refused.line + texts.refusedCodePage +
           std::to_string(refused.codePage) + texts.refusedEnd;
}

// The options' states in the order of the flags line.
settings::Flags defaultFlags() {
    settings::Flags flags(setupOptions().size());
    for (const SetupOption& option : setupOptions()) {
        flags.at(static_cast<std::size_t>(option.digit - 1)) = option.byDefault;
    }
    return flags;
}

}  // namespace

std::string Dialog::SettingsPath() const {
    return settingsFilePath(services_.filesFolder(), services_.process, services_.pathSeparator);
}

// Setting the controls raises their change events as a user's click would; the start-up
// sequence clears the resulting mark afterwards. The start-up save then writes a carried-over
// setup (the newer one, kept in the other folder) into the files' own folder.
Dialog::SettingsRead Dialog::LoadSettings() {
    const std::string path =
        services_.carriedSettings.empty() ? SettingsPath() : services_.carriedSettings;
    // Where no folder is the user's alone, the defaults are loaded.
    const platform::ReadResult read =
        services_.noFilesFolder ? platform::ReadResult{} : platform::readLines(path);
    if (read.tooLarge) {
        TooLargeSettings = path;
    }
    // A file refused as too large may still have grown past the limit while it was read.
    settings::FileText file =
        settings::splitFile(read.tooLarge ? std::vector<std::string>() : read.lines);
    for (std::string& entry : file.entries) {
        LaunchList.addItem(settings::entryFromFile(std::move(entry)));
    }

    const settings::Flags flags = settings::parseFlags(file.flags, defaultFlags());
    for (const SetupOption& option : setupOptions()) {
        // "Run at startup" shows whether the system starts this program at log-on, whatever the
        // file says.
        const bool fromSystem = option.box == &Dialog::wStart && services_.startsAtLogon;
        (this->*option.box)
            .setValue(fromSystem ? static_cast<int>(services_.startsAtLogon())
                                 : flags[static_cast<std::size_t>(option.digit - 1)]);
    }

    Timer.setText(settings::intervalText(file.interval));

    if (settings::isCzech(file.language)) {
        LngCS.setValue(true);
        LngEN.setValue(false);
    }
    if (!LngCS.value()) {
        LngEN.setValue(true);
        LngCS.setValue(false);
    }
    return read.tooLarge || services_.noFilesFolder ? SettingsRead::Refused
           : !read.complete                         ? SettingsRead::Unfinished
           : read.opened                            ? SettingsRead::Whole
                                                    : SettingsRead::None;
}

// The start at log-on follows "Run at startup" first; when it cannot, nothing is written.
bool Dialog::SaveSettings() {
    const bool startAtLogon = wStart.value() == 1;
    if (services_.startsAtLogon && services_.setStartsAtLogon &&
        startAtLogon != services_.startsAtLogon()) {
        if (const std::string failure = services_.setStartsAtLogon(startAtLogon);
            !failure.empty()) {
            return SaveFailed(Texts[language()].logonNotChanged + failure);
        }
    }
    return WriteSettings(platform::Durability::OnDisk);
}

// The file is replaced atomically, so a failed write leaves the old one whole.
bool Dialog::WriteSettings(platform::Durability durability) {
    settings::Flags flags(setupOptions().size());
    for (const SetupOption& option : setupOptions()) {
        flags.at(static_cast<std::size_t>(option.digit - 1)) = (this->*option.box).value();
    }
    const SaveTexts& texts = Texts[language()];
    const std::string path = SettingsPath();
    // The log is never replaced, but earlier builds replaced it at every record, and a crash
    // then left a copy of the whole log beside it.
    platform::removeLeftoverTemporaries(errorLog().path());
    const platform::WriteResult written =
        services_.noFilesFolder ? platform::WriteResult(false, texts.noFolder)
        : !TooLargeSettings.empty()
            ? platform::WriteResult(false, texts.tooLarge)
            : platform::replaceFile(
                  path, settings::fileLines(flags, Timer.text(), LngCS.value(), LaunchList.items()),
                  platform::Unencodable::Refuse, durability);
    if (!written.ok) {
        return SaveFailed(
            texts.notSavedTo + path + "\n" +
            (written.refused ? refusalReason(texts, *written.refused) : written.error));
    }
    SettingsDirty = false;
    Butt[Command::SaveChanges].setEnabled(false);
    LaunchFailed = false;
    Butt[Command::ConfigRunAgain].setFocus();
    return true;
}

// Nothing else changes: the setup stays marked as changed with "Save changes" enabled, and a
// user who asked for the save is told why it failed. During start-up the failure stays silent:
// the window is not shown yet, and the unattended countdown must not wait for an answer.
bool Dialog::SaveFailed(const std::string& reason) {
    Butt[Command::SaveChanges].setEnabled(true);
    if (!Initializing) {
        tk::MessageBox box;
        box.icon = tk::Icon::Exclamation;
        box.buttons = tk::Buttons::Ok;
        box.title = Texts[language()].title;
        box.text = reason;
        app().messageBox(box);
    }
    return false;
}

void Dialog::MarkChanged() {
    Butt[Command::SaveChanges].setEnabled(true);
    SettingsDirty = true;
}
