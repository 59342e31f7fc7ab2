#pragma once
// ViewErr, the error-log window: the list of the log's records and the Close and Clear buttons.
// It is created hidden the first time anything addresses it; closing it only hides it.

#include "toolkit/controls.h"
#include "toolkit/window.h"

class Dialog;

class ViewErr : public tk::Window {
  public:
    ViewErr(tk::Application& app, Dialog& main);

    // The buttons' captions and tooltips and the window title in the main window's language.
    void applyLanguage();

    tk::ListBox ErrList;
    tk::Button ButtClose;
    tk::Button ButtDel;

  private:
    Dialog& main_;
};
