#include "gui/qt/front_end.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QSocketNotifier>
#include <QtCore/QTimer>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMessageBox>
#include <algorithm>

#include "gui/qt/control_view.h"
#include "gui/qt/layout_font.h"
#include "gui/qt/text.h"
#include "gui/qt/window_view.h"
#include "toolkit/pixels.h"

namespace gui::qt {

namespace {

QMessageBox::Icon iconFor(tk::Icon icon) {
    switch (icon) {
        case tk::Icon::Question:
            return QMessageBox::Question;
        case tk::Icon::Exclamation:
            return QMessageBox::Warning;
        case tk::Icon::Information:
            break;
    }
    return QMessageBox::Information;
}

QMessageBox::StandardButton buttonFor(tk::Answer answer) {
    switch (answer) {
        case tk::Answer::Yes:
            return QMessageBox::Yes;
        case tk::Answer::No:
            return QMessageBox::No;
        case tk::Answer::Cancel:
            return QMessageBox::Cancel;
        case tk::Answer::Ok:
            break;
    }
    return QMessageBox::Ok;
}

// Lines are shown as written: the text gets the width of its longest line before Qt sizes the
// box, up to 800 pixels and three quarters of the screen (Qt wraps only what is wider).
void fitLongestLine(QMessageBox& box) {
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (label == nullptr) {
        return;
    }
    label->setWordWrap(false);
    int width = std::min(label->sizeHint().width(), 800);
    if (const QScreen* screen = box.screen()) {
        width = std::min(width, screen->availableGeometry().width() * 3 / 4);
    }
    label->setMinimumWidth(width);
}

double screenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
}

}  // namespace

FrontEnd::FrontEnd()
    : dpi_(screenDpi()),
      desktopFont_(QApplication::font()),
      font_(layoutFont(desktopFont_, dpi_ / tk::TwipsPerInch)),
      views_(app_, mirroring_,
             [this](tk::Window& window) { return std::make_unique<WindowView>(*this, window); }) {
    // The layout font becomes the application's, so that a widget laying out text before its own
    // font is set (a line edit does in its constructor) loads no other font. The windows Qt
    // shows of its own (message boxes, tooltips, a line edit's menu) keep the fonts they had:
    // they are pinned per class, and QGuiApplication's setter, unlike QApplication's, keeps the
    // fonts set per class.
    for (const char* className : {"QMessageBox", "QTipLabel", "QMenu"}) {
        QApplication::setFont(QApplication::font(className), className);
    }
    QGuiApplication::setFont(font_);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { focusChanged(now); });
}

FrontEnd::~FrontEnd() {
    views_.clear();
    for (auto& [timer, host] : timers_) {
        host->disconnect();
    }
    QGuiApplication::setFont(desktopFont_);
}

QWidget* FrontEnd::widget(const tk::Window& window) const {
    return views_.find(window);
}

QWidget* FrontEnd::widget(const tk::Control& control) const {
    const WindowView* view = views_.find(const_cast<tk::Control&>(control).window());
    return view == nullptr ? nullptr : view->widgetOf(control);
}

void FrontEnd::focusChanged(QWidget* now) {
    if (now == nullptr || mirroring()) {
        return;
    }
    const bool ours = std::any_of(views_.begin(), views_.end(), [now](const auto& entry) {
        return entry.second.get() == now->window();
    });
    if (ControlView* view = ours ? viewOf(now) : nullptr) {
        user([view] { view->control().focusedByUser(); });
    }
}

void FrontEnd::watchReadable(int descriptor, std::function<void()> ready) {
    if (descriptor < 0) {
        return;
    }
    auto& notifier =
        watched_.emplace_back(std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read));
    connect(notifier.get(), &QSocketNotifier::activated, this, std::move(ready));
}

void FrontEnd::timerChanged(tk::Timer& timer) {
    std::unique_ptr<QTimer>& host = timers_[&timer];
    if (!host) {
        host = std::make_unique<QTimer>();
        host->setTimerType(Qt::PreciseTimer);
        connect(host.get(), &QTimer::timeout, this,
                [this, &timer] { app_.dispatch([&timer] { timer.tick(); }); });
    }
    if (timer.running() && !app_.ended()) {
        host->start(timer.interval());
    } else {
        host->stop();
    }
}

void FrontEnd::timerDestroyed(tk::Timer& timer) {
    const auto found = timers_.find(&timer);
    if (found == timers_.end()) {
        return;
    }
    // The timer may be going from inside its own tick.
    QTimer* host = found->second.release();
    timers_.erase(found);
    host->disconnect();
    host->stop();
    host->deleteLater();
}

tk::Answer FrontEnd::showMessageBox(const tk::MessageBox& box) {
    QWidget* owner = QApplication::activeWindow();
    if (owner == nullptr) {
        const tk::Window* shown = app_.firstShownWindow();
        owner = shown != nullptr ? widget(*shown) : nullptr;
    }
    QMessageBox::StandardButtons buttons;
    for (const tk::Answer button : tk::buttonsOf(box.buttons)) {
        buttons |= buttonFor(button);
    }
    QMessageBox dialog(iconFor(box.icon), toQt(box.title), toQt(box.text), buttons, owner);
    dialog.setTextFormat(Qt::PlainText);
    dialog.ensurePolished();  // takes its own font, which the text is measured in
    fitLongestLine(dialog);
    dialog.setDefaultButton(buttonFor(tk::buttonsOf(box.buttons)[tk::defaultPlace(box)]));
    if (box.onTop) {
        // Above the windows of programs that open after it, and active once it is shown.
        dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
        QTimer::singleShot(0, &dialog, [&dialog] {
            dialog.raise();
            dialog.activateWindow();
        });
    }
    dialog.exec();
    const QMessageBox::StandardButton pressed = dialog.standardButton(dialog.clickedButton());
    return tk::answerOf(box.buttons,
                        [pressed](tk::Answer button) { return buttonFor(button) == pressed; });
}

// Every window goes and every event loop ends, the nested ones of open message boxes too.
void FrontEnd::programEnded() {
    for (auto& [timer, host] : timers_) {
        host->stop();
    }
    mirror([this] {
        for (auto& [window, view] : views_) {
            view->hide();
        }
    });
    QCoreApplication::exit(0);
}

}  // namespace gui::qt
