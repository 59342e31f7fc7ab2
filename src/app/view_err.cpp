#include "app/view_err.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "app/dialog.h"

namespace {

// About 1.4 million records of a usual length: more than a user reads, and the list's memory
// stays at about this size.
constexpr std::uint64_t ShownLogBytes = std::uint64_t{128} << 20;

struct ViewErrTexts {
    std::string_view titleSuffix;
    std::string_view close;
    std::string_view closeTooltip;
    std::string_view clear;
    std::string_view clearTooltip;
    // Clear could not delete the log: it was gone already, or it is still there.
    std::string_view deleteFailedTitle;
    std::string_view alreadyGone;
    std::string_view notDeleted;
};

constexpr Bilingual<ViewErrTexts> Texts{
    {" Error Log", "&Close", "Close error log window", "C&lear", "Delete error log file",
     "Delete log file", "The error log file no longer exists.",
     "The error log file could not be deleted.\nIt may be in use "
     "by another program."},
    {" výpis chyb", "&Zavřít", "Zavřít okno výpisu chyb", "&Smazat",
     "Smazat výpis chybových hlášek", "Smazat výpis chyb", "Soubor výpisu chyb už neexistuje.",
     "Soubor výpisu chyb nelze smazat.\nMožná jej používá jiný "
     "program."},
};

constexpr int Esc = 27;

}  // namespace

ViewErr::ViewErr(tk::Application& app, Dialog& main)
    : tk::Window(app, tk::FrameKind::Sizable, 4695, 3495),
      ErrList(*this, {120, 120, 4455, 2790}),
      ButtClose(*this, {120, 3000, 1335, 375}, std::string(Texts.english.close)),
      ButtDel(*this, {3240, 3000, 1335, 375}, std::string(Texts.english.clear)),
      main_(main) {
    ButtClose.setTooltip(std::string(Texts.english.closeTooltip));
    ButtDel.setTooltip(std::string(Texts.english.clearTooltip));

    // A language switched in the main window shows as soon as the viewer is active again.
    onActivate = [this] { applyLanguage(); };
    onResize = [this] { Form_Resize(); };
    onClose = [this] { CloseCommand(); };
    ButtClose.onClick = [this] { CloseCommand(); };
    ButtDel.onClick = [this] { ClearCommand(); };
    // The window's own keys too, for the moments no control has the focus.
    onKeyPress = [this](int keyAscii) { RunKeyCommand(keyAscii); };
    for (tk::Control* control :
         std::initializer_list<tk::Control*>{&ErrList, &ButtClose, &ButtDel}) {
        control->onKeyPress = [this](int keyAscii) { RunKeyCommand(keyAscii); };
    }
    const tk::FrameAllowance frame = tk::frameAllowance(frameKind());
    setMinimumSize(MinClientWidth + frame.width, MinClientHeight + frame.height);
    // The window starts at its opening size, which raises no resize: lay it out for that size.
    Form_Resize();
}

void ViewErr::applyLanguage() {
    const ViewErrTexts& texts = Texts[main_.language()];
    ButtClose.setCaption(std::string(texts.close));
    ButtClose.setTooltip(std::string(texts.closeTooltip));
    ButtDel.setCaption(std::string(texts.clear));
    ButtDel.setTooltip(std::string(texts.clearTooltip));
    setCaption(main_.services().process.name + std::string(texts.titleSuffix));
}

// The toolkit keeps no minimized or maximized state, so there is nothing to restore before
// sizing; activating brings a viewer that is already open to the front.
void ViewErr::Open() {
    Fill();
    setSize(OpenWidth, OpenHeight);
    show();
    activate();
}

// A log that cannot be read (gone since the main window looked) gives an empty list.
void ViewErr::Fill() {
    applyLanguage();
    // The list refills hidden, so that a front end can take the new rows in one go rather than
    // one by one while they are on screen.
    ErrList.setVisible(false);
    for (int index = ErrList.listCount() - 1; index >= 0; --index) {
        ErrList.removeItem(index);
    }
    // The list keeps the rows back to back. A log grown past ShownLogBytes shows its newest
    // records, so that the list's memory stays bounded.
    main_.errorLog().listRows(ShownLogBytes,
                              [this](std::string_view row) { ErrList.addItem(row); });
    ErrList.setVisible(true);
}

// The list fills the client area above the two buttons, which keep to its bottom corners,
// everything 120 twips from the edges. The frame's allowance is not the controls' to use, so
// the layout works from the client area, whatever the frame takes.
void ViewErr::Form_Resize() {
    constexpr tk::Twips Margin = 120;
    constexpr tk::Twips ListToButtons = 90;
    const tk::FrameAllowance frame = tk::frameAllowance(frameKind());
    if (width() < minimumWidth() || height() < minimumHeight()) {
        // The resize this raises lays the controls out.
        setSize(std::max(width(), minimumWidth()), std::max(height(), minimumHeight()));
        return;
    }
    const tk::Twips clientWidth = width() - frame.width;
    const tk::Twips clientHeight = height() - frame.height;
    const tk::Twips buttonsTop = clientHeight - Margin - ButtClose.geometry().height;
    ErrList.setWidth(clientWidth - 2 * Margin);
    ErrList.setHeight(buttonsTop - ListToButtons - Margin);
    ButtClose.setTop(buttonsTop);
    ButtDel.setTop(buttonsTop);
    ButtDel.setLeft(clientWidth - Margin - ButtDel.geometry().width);
}

void ViewErr::CloseCommand() {
    hide();
}

// The question is English in both languages. When the log cannot be deleted the user is told
// why, and the window stays open while the log is still there to be listed.
void ViewErr::ClearCommand() {
    tk::MessageBox question;
    question.title = "Delete log file?";
    question.text = "Are you sure you want to delete error log file?";
    question.icon = tk::Icon::Question;
    question.buttons = tk::Buttons::YesNo;
    question.defaultButton = tk::Answer::Yes;
    if (app().messageBox(question) != tk::Answer::Yes) {
        return;
    }
    const launch::ErrorLog::Cleared cleared = main_.errorLog().clear();
    if (cleared != launch::ErrorLog::Cleared::Deleted) {
        const ViewErrTexts& texts = Texts[main_.language()];
        const bool stillThere = cleared == launch::ErrorLog::Cleared::StillThere;
        app().messageBox({std::string(texts.deleteFailedTitle),
                          std::string(stillThere ? texts.notDeleted : texts.alreadyGone),
                          tk::Icon::Exclamation, tk::Buttons::Ok});
        if (stillThere) {
            return;
        }
    }
    CloseCommand();
}

void ViewErr::RunKeyCommand(int KeyAscii) {
    switch (KeyAscii) {
        case Esc:
        case 'c':
        case 'C':
            CloseCommand();
            break;
        case 'l':
        case 'L':
            ClearCommand();
            break;
        default:
            break;
    }
}

int Dialog::RefreshErrorLogButton() {
    const bool exists = errorLog().exists();
    Butt[Command::ViewErrorLog].setEnabled(exists);
    return exists ? 1 : 0;
}

void Dialog::ViewErrorLogCommand() {
    if (RefreshErrorLogButton() != 0) {
        viewErr().Open();
    }
}
