// The launch list editor: the list, the Add box and the commands Add/Mod, Up, Dn and Del.
// The enabled states of Add/Mod, Up, Dn and Del follow the selection and the Add box, and they are
// the only guard of the commands.

#include <string>
#include <utility>

#include "app/dialog.h"
#include "app/settings_file.h"
#include "setup/select_all.h"
#include "ui/keyboard.h"

namespace {

// One by one, Go now, Stop/Continue and Config/Run again are usable only while there is anything
// to run.
void setRunCommands(Dialog& dialog, bool enabled) {
    for (Command command :
         {Command::OneByOne, Command::GoNow, Command::StopContinue, Command::ConfigRunAgain}) {
        dialog.Butt[command].setEnabled(enabled);
    }
}

// Why Add/Mod took nothing: the settings file would turn the entry's apostrophe into a double
// quote. The entry goes between the line's two parts.
struct RefusalTexts {
    const char* title;
    const char* lineBefore;
    const char* lineAfter;
};
constexpr Bilingual<RefusalTexts> ApostropheTexts{
    {"Launch list", "The line \"",
     "\" holds an apostrophe ('). The settings file keeps double quotes as apostrophes, so the "
     "line would come back with a double quote in its place and open nothing.\nRename the file "
     "or folder without the apostrophe, or enter a link to it whose name has none."},
    {"Seznam příkazů", "Řádek \"",
     "\" obsahuje apostrof ('). Soubor nastavení ukládá uvozovky jako apostrofy, takže by se "
     "řádek vrátil s uvozovkou místo apostrofu a nic by neotevřel.\nPřejmenujte soubor nebo "
     "složku bez apostrofu, nebo vložte odkaz na ně, jehož název apostrof nemá."},
};

tk::MessageBox apostropheRefusal(const RefusalTexts& texts, const std::string& entry) {
    tk::MessageBox box;
    box.icon = tk::Icon::Exclamation;
    box.buttons = tk::Buttons::Ok;
    box.title = texts.title;
    box.text = texts.lineBefore + entry + texts.lineAfter;
    return box;
}

}  // namespace

void Dialog::LaunchList_Click() {
    const int i = LaunchList.listIndex();
    Butt[Command::Up].setEnabled(i > 0);
    if (i >= 0) {
        ApplyCaptions(Command::AddMod, True, 2);
        Add.setText(std::string(LaunchList.list(i)));
        Butt[Command::Delete].setEnabled(true);
    } else {
        ApplyCaptions(Command::AddMod, True, 1);
        Butt[Command::Delete].setEnabled(false);
    }
    Butt[Command::Down].setEnabled(i >= 0 && i < LaunchList.listCount() - 1);
}

void Dialog::LaunchList_DblClick() {
    LaunchList.setListIndex(-1);
}

void Dialog::LaunchList_GotFocus() {
    Butt[Command::Delete].setEnabled(LaunchList.listIndex() >= 0);
}

void Dialog::LaunchList_KeyDown(tk::Key key) {
    if (key == tk::Key::Delete && Butt[Command::Delete].enabled()) {
        Butt_Click(Command::Delete);
    }
}

void Dialog::Add_Change() {
    Butt[Command::AddMod].setEnabled(!Add.text().empty());
}

void Dialog::Add_GotFocus() {
    setup::selectWholeText(Add);
}

// Every other key but Ctrl+L is text: the box hands nothing else to the keyboard commands.
void Dialog::Add_KeyPress(int KeyAscii) {
    if (KeyAscii == 13 && !Add.text().empty()) {
        Butt_Click(Command::AddMod);
    }
    if (KeyAscii == LogonProgramsKey) {
        LogonProgramsCommand();
    }
}

// An entry the settings file cannot keep is refused; it stays in the Add box to be mended.
void Dialog::AddModCommand() {
    if (!settings::fileKeeps(Add.text())) {
        app().messageBox(apostropheRefusal(ApostropheTexts[language()], Add.text()));
        return;
    }
    MarkChanged();
    const int i = LaunchList.listIndex();
    if (i == -1) {
        LaunchList.addItem(Add.text());
    } else {
        LaunchList.setList(i, Add.text());
        LaunchList.setListIndex(-1);
    }
    // The list has an entry now: the run commands work and the hint goes.
    setRunCommands(*this, true);
    First.setEnabled(false);
    LblFirst.setVisible(false);
    Add.setText("");
}

void Dialog::MoveCommand(int step) {
    const int i = LaunchList.listIndex();
    const int j = i + step;
    const std::string kept(LaunchList.list(j));
    const std::string moving(LaunchList.list(i));
    LaunchList.setList(j, moving);
    LaunchList.setList(i, kept);
    LaunchList.setListIndex(j);
    MarkChanged();
    // At the end of the list the button that moved it is disabled: the focus goes to the other.
    const Command moved = step < 0 ? Command::Up : Command::Down;
    if (!Butt[moved].enabled()) {
        Butt[moved == Command::Up ? Command::Down : Command::Up].setFocus();
    }
}

void Dialog::DeleteCommand() {
    // Up to the reset of Add/Mod nothing may stop the command: a removal without a selection
    // is skipped, and a focus that cannot be taken is left as it is.
    MarkChanged();
    const int i = LaunchList.listIndex();
    if (i >= 0) {
        LaunchList.removeItem(i);
    }
    const int n = LaunchList.listCount();
    if (n == 0) {
        Add.setFocus();
        Butt[Command::Delete].setEnabled(false);
        Butt[Command::OneByOne].setEnabled(false);
        First.setEnabled(true);
    }
    if (n < 2) {
        Butt[Command::Up].setEnabled(false);
        Butt[Command::Down].setEnabled(false);
    }

    ApplyCaptions(Command::AddMod, True, 1);
    LaunchList.setListIndex(-1);
    Butt[Command::Delete].setEnabled(false);
    // With the Add box empty Add/Mod cannot take the focus: the box, where a line is typed to
    // enable it, takes it instead.
    if (!Butt[Command::AddMod].setFocus()) {
        Add.setFocus();
    }
    setRunCommands(*this, AnythingToRun());
}
