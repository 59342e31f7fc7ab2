#include "app/logon_window.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "app/dialog.h"
#include "launch/shown_text.h"

namespace {

struct LogonWindowTexts {
    std::string_view title;
    std::string_view heading;  // above the list when the guard found nothing
    std::string_view foundPrefix;
    std::string_view newMark;
    std::string_view takeOver;
    std::string_view takeOverTooltip;
    std::string_view giveBack;
    std::string_view giveBackTooltip;
    std::string_view giveBackAll;
    std::string_view giveBackAllTooltip;
    std::string_view up;
    std::string_view upTooltip;
    std::string_view down;
    std::string_view downTooltip;
    std::string_view close;
    std::string_view closeTooltip;
    std::string_view recordProblems;
};

constexpr Bilingual<LogonWindowTexts> Texts{
    {"Log-on programs",
     "Programs that start by themselves when you log on:", "At this start: ", "[new] ",
     "&Take over", "Switch the entry off in the system; Opalist starts it after the countdown",
     "&Give back", "Give the entry back to the system exactly as it was", "Give back &all",
     "Give every taken-over entry back (do this before uninstalling)", "&Up", "Start it earlier",
     "&Down", "Start it later", "&Close", "Close the window",
     "About the record of taken-over programs:"},
    {"Programy po přihlášení",
     "Programy, které se spouštějí samy po přihlášení:", "Při tomto spuštění: ", "[nová] ",
     "&Převzít", "Vypnout položku v systému; Opalist ji spustí po odpočtu", "&Vrátit",
     "Vrátit položku systému přesně tak, jak byla", "Vrátit vš&e",
     "Vrátit všechny převzaté položky (před odinstalací)", "Na&horu", "Spustit dříve", "&Dolů",
     "Spustit později", "&Zavřít", "Zavřít okno", "K záznamu převzatých programů:"}};

constexpr int Enter = 13;
constexpr int Esc = 27;
constexpr tk::Twips Margin = 120;
constexpr tk::Twips ButtonWidth = 1335;
constexpr tk::Twips ButtonHeight = 375;
constexpr tk::Twips ListTop = 435;

// The letter after the caption's "&", in lower case; 0 when there is none.
int hotkeyOf(const std::string& caption) {
    const std::size_t at = caption.find('&');
    if (at == std::string::npos || at + 1 >= caption.size()) {
        return 0;
    }
    return std::tolower(static_cast<unsigned char>(caption[at + 1]));
}

// One row: the start order of a taken-over entry, the new mark, then the name, the state with
// its reason, the source and the command line, each as text that shows what it holds.
std::string rowText(const logon::Entry& entry, int order, bool isNew, Language language) {
    const LogonWindowTexts& texts = Texts[language];
    std::string row = order > 0 ? std::to_string(order) + ". " : std::string();
    if (isNew) {
        row += texts.newMark;
    }
    row += launch::shownText(entry.name);
    row += "  —  ";
    row += logon::stateText(entry.state, language);
    if (entry.reason != logon::Reason::None) {
        row += ": ";
        row += launch::shownText(logon::reasonText(entry.reason, entry.detail, language));
    }
    row += "  —  ";
    row += logon::sourceText(entry.source, language);
    row += "  —  ";
    row += launch::shownText(entry.commandLine);
    return row;
}

bool foundNew(const std::vector<logon::GuardEvent>& events, const std::string& name) {
    return std::any_of(events.begin(), events.end(), [&](const logon::GuardEvent& event) {
        return event.kind == logon::GuardEvent::Kind::New && event.name == name;
    });
}

const logon::Entry* findEntry(const std::vector<logon::Entry>& entries, const std::string& name) {
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const logon::Entry& entry) { return entry.name == name; });
    return found == entries.end() ? nullptr : &*found;
}

}  // namespace

LogonWindow::LogonWindow(tk::Application& app, Dialog& main)
    : tk::Window(app, tk::FrameKind::Sizable, ClientWidth, ClientHeight),
      LblFound(*this, {Margin, Margin, ClientWidth - 2 * Margin, 255}),
      EntryList(*this, {Margin, ListTop, ClientWidth - 3 * Margin - ButtonWidth,
                        ClientHeight - ListTop - Margin}),
      ButtTakeOver(*this, {ClientWidth - Margin - ButtonWidth, ListTop, ButtonWidth, ButtonHeight}),
      ButtGiveBack(*this, {ClientWidth - Margin - ButtonWidth, 900, ButtonWidth, ButtonHeight}),
      ButtGiveBackAll(*this, {ClientWidth - Margin - ButtonWidth, 1365, ButtonWidth, ButtonHeight}),
      ButtUp(*this, {ClientWidth - Margin - ButtonWidth, 1950, ButtonWidth, ButtonHeight}),
      ButtDown(*this, {ClientWidth - Margin - ButtonWidth, 2415, ButtonWidth, ButtonHeight}),
      ButtClose(*this, {ClientWidth - Margin - ButtonWidth, ClientHeight - Margin - ButtonHeight,
                        ButtonWidth, ButtonHeight}),
      main_(main) {
    onActivate = [this] { applyLanguage(); };
    onResize = [this] { Form_Resize(); };
    onClose = [this] { CloseCommand(); };
    ButtTakeOver.onClick = [this] { TakeOverCommand(); };
    ButtGiveBack.onClick = [this] { GiveBackCommand(); };
    ButtGiveBackAll.onClick = [this] { GiveBackAllCommand(); };
    ButtUp.onClick = [this] { MoveCommand(-1); };
    ButtDown.onClick = [this] { MoveCommand(1); };
    ButtClose.onClick = [this] { CloseCommand(); };
    EntryList.onClick = [this] { EntryList_Click(); };
    EntryList.onKeyPress = [this](int keyAscii) { EntryList_KeyPress(keyAscii); };
    onKeyPress = [this](int keyAscii) { RunKeyCommand(keyAscii); };
    for (tk::Button* button :
         {&ButtTakeOver, &ButtGiveBack, &ButtGiveBackAll, &ButtUp, &ButtDown, &ButtClose}) {
        button->onKeyPress = [this](int keyAscii) { RunKeyCommand(keyAscii); };
    }
    const tk::FrameAllowance frame = tk::frameAllowance(frameKind());
    setMinimumSize(MinClientWidth + frame.width, MinClientHeight + frame.height);
    applyLanguage();
}

Language LogonWindow::language() const {
    return main_.language();
}

void LogonWindow::applyLanguage() {
    const LogonWindowTexts& texts = Texts[language()];
    const std::initializer_list<
        std::pair<tk::Button*, std::pair<std::string_view, std::string_view>>>
        captions = {{&ButtTakeOver, {texts.takeOver, texts.takeOverTooltip}},
                    {&ButtGiveBack, {texts.giveBack, texts.giveBackTooltip}},
                    {&ButtGiveBackAll, {texts.giveBackAll, texts.giveBackAllTooltip}},
                    {&ButtUp, {texts.up, texts.upTooltip}},
                    {&ButtDown, {texts.down, texts.downTooltip}},
                    {&ButtClose, {texts.close, texts.closeTooltip}}};
    for (const auto& [button, caption] : captions) {
        button->setCaption(std::string(caption.first));
        button->setTooltip(std::string(caption.second));
    }
    setCaption(std::string(texts.title));
    if (visible()) {
        Fill();
    }
}

void LogonWindow::Open() {
    main_.GuardLogonPrograms();
    Fill();
    show();
    activate();
    const std::vector<std::string>& problems = main_.logonPrograms().problems();
    if (problemsTold_ || problems.empty()) {
        return;
    }
    problemsTold_ = true;
    const LogonWindowTexts& texts = Texts[language()];
    std::string text(texts.recordProblems);
    for (const std::string& problem : problems) {
        text += '\n';
        text += launch::shownText(problem);
    }
    app().messageBox({std::string(texts.title), text, tk::Icon::Exclamation, tk::Buttons::Ok});
}

// The taken-over entries come first, in the order they start and numbered so, then every other
// entry as the system lists it. An entry taken over whose source is gone shows as the record has
// it.
void LogonWindow::Fill() {
    const Language language = this->language();
    const LogonWindowTexts& texts = Texts[language];
    const logon::LogonPrograms& programs = main_.logonPrograms();
    const int selected = EntryList.listIndex();
    const std::string selectedName = selected >= 0 && selected < static_cast<int>(rowNames_.size())
                                         ? rowNames_[static_cast<std::size_t>(selected)]
                                         : std::string();

    std::string found;
    const std::vector<logon::GuardEvent>& events = main_.LogonGuardEvents;
    for (const logon::GuardEvent& event : events) {
        if (event.kind != logon::GuardEvent::Kind::New) {
            found += (found.empty() ? std::string(texts.foundPrefix) : std::string("; ")) +
                     launch::shownText(logon::guardEventText(event, language));
        }
    }
    LblFound.setCaption(found.empty() ? std::string(texts.heading) : found);

    EntryList.setVisible(false);
    EntryList.setListIndex(-1);
    for (int index = EntryList.listCount() - 1; index >= 0; --index) {
        EntryList.removeItem(index);
    }
    rowNames_.clear();
    int order = 0;
    for (const logon::TakenOver& taken : programs.takenOver()) {
        const logon::Entry* entry = findEntry(programs.entries(), taken.name);
        const logon::Entry recorded{
            taken.name,          {}, taken.source, taken.location, logon::State::StartedByOpalist,
            logon::Reason::None, {}, false};
        EntryList.addItem(rowText(entry != nullptr ? *entry : recorded, ++order,
                                  foundNew(events, taken.name), language));
        rowNames_.push_back(taken.name);
    }
    for (const logon::Entry& entry : programs.entries()) {
        if (entry.state != logon::State::StartedByOpalist) {
            EntryList.addItem(rowText(entry, 0, foundNew(events, entry.name), language));
            rowNames_.push_back(entry.name);
        }
    }
    EntryList.setVisible(true);
    const auto at = std::find(rowNames_.begin(), rowNames_.end(), selectedName);
    EntryList.setListIndex(at == rowNames_.end() || selectedName.empty()
                               ? -1
                               : static_cast<int>(at - rowNames_.begin()));
    EntryList_Click();
}

const logon::Entry* LogonWindow::selectedEntry() const {
    const int index = EntryList.listIndex();
    if (index < 0 || index >= static_cast<int>(rowNames_.size())) {
        return nullptr;
    }
    return findEntry(main_.logonPrograms().entries(), rowNames_[static_cast<std::size_t>(index)]);
}

void LogonWindow::EntryList_Click() {
    const logon::LogonPrograms& programs = main_.logonPrograms();
    const int index = EntryList.listIndex();
    const int takenCount = static_cast<int>(programs.takenOver().size());
    const logon::Entry* entry = selectedEntry();
    const bool taken = index >= 0 && index < takenCount;
    ButtTakeOver.setEnabled(entry != nullptr && entry->state == logon::State::StartsWithSystem);
    ButtGiveBack.setEnabled(taken);
    ButtGiveBackAll.setEnabled(takenCount > 0);
    ButtUp.setEnabled(taken && index > 0);
    ButtDown.setEnabled(taken && index + 1 < takenCount);
}

// The list fills the client area left of the column of buttons and below the line of what the
// guard found; Close keeps to the bottom corner. Every edge is 120 twips from the window's.
void LogonWindow::Form_Resize() {
    if (width() < minimumWidth() || height() < minimumHeight()) {
        // The resize this raises lays the controls out.
        setSize(std::max(width(), minimumWidth()), std::max(height(), minimumHeight()));
        return;
    }
    const tk::FrameAllowance frame = tk::frameAllowance(frameKind());
    const tk::Twips clientWidth = width() - frame.width;
    const tk::Twips clientHeight = height() - frame.height;
    const tk::Twips buttonsLeft = clientWidth - Margin - ButtonWidth;
    LblFound.setWidth(clientWidth - 2 * Margin);
    EntryList.setWidth(buttonsLeft - 2 * Margin);
    EntryList.setHeight(clientHeight - ListTop - Margin);
    for (tk::Button* button :
         {&ButtTakeOver, &ButtGiveBack, &ButtGiveBackAll, &ButtUp, &ButtDown, &ButtClose}) {
        button->setLeft(buttonsLeft);
    }
    ButtClose.setTop(clientHeight - Margin - ButtonHeight);
}

void LogonWindow::CloseCommand() {
    hide();
    if (endsProgram_) {
        app().end();
    }
}

// Another Opalist (the window opened alone, say) may have changed the record since: every change
// starts from the record as it is now, so that one never saves over what the other took over.
logon::LogonPrograms& LogonWindow::current() {
    logon::LogonPrograms& programs = main_.logonPrograms();
    programs.refresh(logon::LogonPrograms::Guarding::Look);
    return programs;
}

void LogonWindow::TakeOverCommand() {
    const logon::Entry* entry = selectedEntry();
    if (entry != nullptr) {
        const std::string name = entry->name;
        afterChange({current().takeOver(name)});
    }
}

void LogonWindow::GiveBackCommand() {
    const int index = EntryList.listIndex();
    if (index >= 0 && index < static_cast<int>(rowNames_.size())) {
        const std::string name = rowNames_[static_cast<std::size_t>(index)];
        afterChange({current().giveBack(name)});
    }
}

void LogonWindow::GiveBackAllCommand() {
    afterChange(current().giveBackAll());
}

void LogonWindow::MoveCommand(int step) {
    const int index = EntryList.listIndex();
    if (index >= 0 && index < static_cast<int>(rowNames_.size())) {
        const std::string name = rowNames_[static_cast<std::size_t>(index)];
        afterChange({current().move(name, step)});
    }
}

// The selection stays on the entry it was on. A button that the change disabled gives the focus
// back to the list.
void LogonWindow::afterChange(const std::vector<logon::Outcome>& outcomes) {
    Fill();
    if (focused() == nullptr || !focused()->enabled()) {
        EntryList.setFocus();
    }
    std::string failures;
    for (const logon::Outcome& outcome : outcomes) {
        if (!outcome.ok()) {
            if (!failures.empty()) {
                failures += '\n';
            }
            failures += launch::shownText(logon::outcomeText(outcome, language()));
        }
    }
    if (!failures.empty()) {
        const LogonWindowTexts& texts = Texts[language()];
        app().messageBox(
            {std::string(texts.title), failures, tk::Icon::Exclamation, tk::Buttons::Ok});
    }
}

void LogonWindow::EntryList_KeyPress(int KeyAscii) {
    if (KeyAscii != Enter) {
        RunKeyCommand(KeyAscii);
        return;
    }
    if (ButtTakeOver.enabled()) {
        TakeOverCommand();
    } else if (ButtGiveBack.enabled()) {
        GiveBackCommand();
    }
}

void LogonWindow::RunKeyCommand(int KeyAscii) {
    if (KeyAscii == Esc) {
        CloseCommand();
        return;
    }
    const int letter = KeyAscii > 0 && KeyAscii < 128 ? std::tolower(KeyAscii) : 0;
    for (tk::Button* button :
         {&ButtTakeOver, &ButtGiveBack, &ButtGiveBackAll, &ButtUp, &ButtDown, &ButtClose}) {
        if (letter != 0 && hotkeyOf(button->caption()) == letter && button->enabled()) {
            button->onClick();
            return;
        }
    }
}

void Dialog::LogonProgramsCommand() {
    logonWindow().Open();
}

// The settings are only read, for the language: nothing is saved and nothing counts down.
void Dialog::OpenLogonProgramsAlone() {
    for (tk::Timer* timer : {&First, &CountDispl, &Countdown}) {
        timer->setEnabled(false);
    }
    LoadSettings();
    LogonWindow& window = logonWindow();
    window.endProgramOnClose();
    window.Open();
}
