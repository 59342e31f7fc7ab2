// The settings file of the main window: its name, reading it into the controls, and the
// "Save changes" command that writes the controls back.

#include <utility>

#include "app/dialog.h"
#include "app/file_location.h"
#include "app/settings_file.h"
#include "platform/text_file.h"

namespace {

// Why Save wrote nothing: a line holds a character the system's code page cannot store.
std::string RefusalReason(bool english, const platform::UnstorableLine& refused) {
    const std::string codePage = std::to_string(refused.codePage);
    return english ? "The line \"" + refused.line + "\" holds characters that code page " +
                         codePage + " of this system cannot store."
                   : "Řádek \"" + refused.line + "\" obsahuje znaky, které kódová stránka " +
                         codePage + " tohoto systému nedokáže uložit.";
}

// The options' states in the order of the flags line.
settings::Flags defaultFlags() {
    settings::Flags flags(setupOptions().size());
    for (const SetupOption& option : setupOptions()) {
        flags.at(static_cast<std::size_t>(option.digit - 1)) = option.byDefault;
    }
    return flags;
}

// Why nothing is saved after a settings file was refused as too large, and where no folder is
// the user's alone.
constexpr const char* TooLargeReason[] = {
    "The settings file that was found is larger than any launch list: it is kept as it is, "
    "and nothing is saved over it. Move it away and start Opalist again.",
    "Nalezený soubor nastavení je větší než jakýkoli seznam: zůstává, jak je, a nic se do něj "
    "neuloží. Přesuňte jej jinam a spusťte Opalist znovu."};
constexpr const char* NoFolderReason[] = {
    "No folder for your files is yours alone: other users could change what is saved there.",
    "Žádná složka pro vaše soubory nepatří jen vám: co se do ní uloží, mohou měnit i jiní "
    "uživatelé."};

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

// The file is replaced atomically, so a failed write leaves the old one whole. The start at
// log-on follows "Run at startup" first; when it cannot, nothing is written.
bool Dialog::SaveSettings(platform::Durability durability) {
    settings::Flags flags(setupOptions().size());
    for (const SetupOption& option : setupOptions()) {
        flags.at(static_cast<std::size_t>(option.digit - 1)) = (this->*option.box).value();
    }
    const std::string path = SettingsPath();
    const bool startAtLogon = wStart.value() == 1;
    if (services_.startsAtLogon && services_.setStartsAtLogon &&
        startAtLogon != services_.startsAtLogon()) {
        if (const std::string failure = services_.setStartsAtLogon(startAtLogon);
            !failure.empty()) {
            return SaveFailed(English()
                                  ? "The start at log-on could not be changed:\n" + failure
                                  : "Spuštění po přihlášení se nepodařilo změnit:\n" + failure);
        }
    }
    // The log is never replaced, but earlier builds replaced it at every record, and a crash
    // then left a copy of the whole log beside it.
    platform::removeLeftoverTemporaries(errorLog().path());
    const int language = English() ? 0 : 1;
    const platform::WriteResult written =
        services_.noFilesFolder ? platform::WriteResult(false, NoFolderReason[language])
        : !TooLargeSettings.empty()
            ? platform::WriteResult(false, TooLargeReason[language])
            : platform::replaceFile(
                  path, settings::fileLines(flags, Timer.text(), LngCS.value(), LaunchList.items()),
                  platform::Unencodable::Refuse, durability);
    if (!written.ok) {
        const bool english = English();
        return SaveFailed(
            (english ? "The settings could not be saved to\n"
                     : "Nastavení se nepodařilo uložit do\n") +
            path + "\n" +
            (written.refused ? RefusalReason(english, *written.refused) : written.error));
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
        box.title = English() ? "Save changes" : "Uložit změny";
        box.text = reason;
        app().messageBox(box);
    }
    return false;
}

void Dialog::MarkChanged() {
    Butt[Command::SaveChanges].setEnabled(true);
    SettingsDirty = true;
}
