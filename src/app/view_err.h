#pragma once
// ViewErr, the error-log window: the list of the log's records and the Close and Clear buttons.
// It is created hidden the first time anything addresses it; closing it only hides it, and
// every opening refills and reuses it. It is modeless: the main window goes on meanwhile.

#include "toolkit/controls.h"
#include "toolkit/window.h"

class Dialog;

class ViewErr : public tk::Window {
  public:
    // The outer size of every opening.
    static constexpr tk::Twips OpenWidth = 5000;
    static constexpr tk::Twips OpenHeight = 4005;
    // The smallest client area the user can make it: the two buttons side by side under a
    // sliver of list.
    static constexpr tk::Twips MinClientWidth = 2910;
    static constexpr tk::Twips MinClientHeight = 975;

    ViewErr(tk::Application& app, Dialog& main);

    // The buttons' captions and tooltips and the window title in the main window's language.
    void applyLanguage();
    // Fills the list from the log, resets the size and shows the window.
    void Open();
    void Fill();
    void Form_Resize();
    void CloseCommand();
    // Asks first; deletes the log and closes on Yes.
    void ClearCommand();
    // Esc or C closes, L clears.
    void RunKeyCommand(int KeyAscii);

    tk::ListBox ErrList;
    tk::Button ButtClose;
    tk::Button ButtDel;

  private:
    Dialog& main_;
};
