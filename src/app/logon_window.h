#pragma once
// LogonWindow, the window of the log-on programs: a line with what the guard found at this start,
// the list of every log-on entry with its state, and the buttons that take an entry over, give
// one or all back, and set the order the taken-over programs start in. Like the error-log window
// it is created hidden the first time anything addresses it, closing only hides it, and it is
// modeless. Opened alone (opalist --logon-programs), closing it ends the program.

#include <string>
#include <vector>

#include "logon/logon_programs.h"
#include "toolkit/controls.h"
#include "toolkit/window.h"

class Dialog;

class LogonWindow : public tk::Window {
  public:
    static constexpr tk::Twips ClientWidth = 7800;
    static constexpr tk::Twips ClientHeight = 4000;
    // The smallest client area the user can make it: the column of buttons beside a narrow list.
    static constexpr tk::Twips MinClientWidth = 3300;
    static constexpr tk::Twips MinClientHeight = 3400;

    LogonWindow(tk::Application& app, Dialog& main);

    // The captions, the tooltips, the title and the rows in the main window's language.
    void applyLanguage();
    // Fills the list, shows the window and brings it to the front. The first opening tells what
    // could not be read of the record.
    void Open();
    // The program ends when the window closes.
    void endProgramOnClose() { endsProgram_ = true; }
    void Fill();
    void Form_Resize();
    void CloseCommand();
    void TakeOverCommand();
    void GiveBackCommand();
    void GiveBackAllCommand();
    // The selected taken-over entry one place earlier (step -1) or later (step 1) in the start
    // order.
    void MoveCommand(int step);
    // Esc closes; a button's hotkey letter clicks it while it is enabled.
    void RunKeyCommand(int KeyAscii);

    // The entry's name in each row of the list.
    const std::vector<std::string>& rowNames() const { return rowNames_; }

    tk::Label LblFound;
    tk::ListBox EntryList;
    tk::Button ButtTakeOver;
    tk::Button ButtGiveBack;
    tk::Button ButtGiveBackAll;
    tk::Button ButtUp;
    tk::Button ButtDown;
    tk::Button ButtClose;

  private:
    // The log-on programs, read again from the system and the record.
    logon::LogonPrograms& current();
    // The selected row's entry, or nothing.
    const logon::Entry* selectedEntry() const;
    // The buttons that act on the selection, enabled as they can.
    void EntryList_Click();
    // Enter in the list takes the selected entry over, or gives it back.
    void EntryList_KeyPress(int KeyAscii);
    // Refills the list and says what failed.
    void afterChange(const std::vector<logon::Outcome>& outcomes);
    Language language() const;

    Dialog& main_;
    std::vector<std::string> rowNames_;
    bool endsProgram_ = false;
    bool problemsTold_ = false;
};
