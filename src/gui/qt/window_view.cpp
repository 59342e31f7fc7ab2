#include "gui/qt/window_view.h"

#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtGui/QCloseEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <algorithm>

#include "gui/qt/control_kinds.h"
#include "gui/qt/control_view.h"
#include "gui/qt/front_end.h"
#include "gui/qt/pixels.h"
#include "gui/qt/text.h"
#include "toolkit/controls.h"
#include "toolkit/placement.h"
#include "toolkit/tab_order.h"

namespace gui::qt {

namespace {

// A fixed dialog frame has a title and a close box only, and no taskbar entry.
Qt::WindowFlags flagsFor(tk::FrameKind kind) {
    if (kind == tk::FrameKind::FixedDialog) {
        return Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
               Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    }
    return Qt::Window;
}

}  // namespace

WindowView::WindowView(FrontEnd& frontEnd, tk::Window& window)
    : QWidget(nullptr, flagsFor(window.frameKind())), frontEnd_(frontEnd), window_(window) {
    setFont(frontEnd_.font());
    if (window.frameKind() == tk::FrameKind::Sizable && window.minimumWidth() > 0) {
        setMinimumSize(toQt(tk::clientPixels(window.frameKind(), window.minimumWidth(),
                                             window.minimumHeight(), frontEnd_.dpi())));
    }
    build(window_, this);
    orderTabs();
    follow(tk::WindowProperty::Caption);
    follow(tk::WindowProperty::Size);
}

WindowView::~WindowView() {
    for (auto& [control, view] : views_) {
        view->detach();
    }
}

void WindowView::build(tk::Container& container, QWidget* parent) {
    for (tk::Control* control : container.children()) {
        if (control->visible()) {
            buildView(*control, parent);
        } else {
            unbuilt_.buildWhenShown(*control, [this, parent](tk::Control& shown) {
                frontEnd_.mirror([&] {
                    buildView(shown, parent);
                    orderTabs();
                });
            });
        }
    }
}

void WindowView::buildView(tk::Control& control, QWidget* parent) {
    ControlView* view = createView(frontEnd_, control, parent);
    views_.emplace(&control, view);
    view->widget().installEventFilter(this);
    if (control.kind() == tk::Kind::Frame) {
        // Controls placed on the window over a frame's area lie above the frame.
        view->widget().lower();
        build(static_cast<tk::Frame&>(control), &view->widget());
    }
}

// The widgets built so far take the window's tab order.
void WindowView::orderTabs() {
    QWidget* last = nullptr;
    for (tk::Control* control : tk::tabOrder(window_)) {
        QWidget* widget = widgetOf(*control);
        if (widget == nullptr) {
            continue;
        }
        if (last != nullptr) {
            QWidget::setTabOrder(last, widget);
        }
        last = widget;
    }
}

QWidget* WindowView::widgetOf(const tk::Control& control) const {
    const auto found = views_.find(&control);
    return found == views_.end() ? nullptr : &found->second->widget();
}

QSize WindowView::modelClientSize() const {
    return toQt(
        tk::clientPixels(window_.frameKind(), window_.width(), window_.height(), frontEnd_.dpi()));
}

void WindowView::follow(tk::WindowProperty property) {
    switch (property) {
        case tk::WindowProperty::Caption:
            setWindowTitle(toQt(window_.caption()));
            break;
        case tk::WindowProperty::Size: {
            const QSize client = modelClientSize();
            // Only a size the program sets moves the window: never the user's own drag.
            const bool changed = client != size();
            if (isVisible() && changed) {
                pendingSizes_.push_back(client);
            }
            if (window_.frameKind() == tk::FrameKind::FixedDialog) {
                setFixedSize(client);
            } else {
                resize(client);
            }
            if (placed_ && changed) {
                keepOnScreen();
            }
            break;
        }
        case tk::WindowProperty::Visible:
            if (!window_.visible()) {
                hide();
                break;
            }
            if (!placed_) {
                placed_ = true;
                if (const QScreen* screen = QGuiApplication::primaryScreen()) {
                    const tk::PixelRect centred = tk::centredIn(
                        fromQt(frameGeometry().size()), fromQt(screen->availableGeometry()));
                    move(centred.left, centred.top);
                }
            }
            show();
            break;
        case tk::WindowProperty::Activate:
            if (isMinimized()) {
                showNormal();
            }
            raise();
            activateWindow();
            if (QWidget* box = QApplication::activeModalWidget()) {
                box->raise();
                box->activateWindow();
            }
            break;
    }
}

void WindowView::keepOnScreen() {
    const QScreen* screen = this->screen();
    if (screen == nullptr) {
        return;
    }
    const QRect frame = frameGeometry();
    const tk::PixelRect kept = tk::keptInside(fromQt(frame), fromQt(screen->availableGeometry()));
    if (kept.left != frame.left() || kept.top != frame.top()) {
        move(kept.left, kept.top);
    }
}

bool WindowView::event(QEvent* event) {
    // Reported from the event loop, never from inside the program's own call.
    if (event->type() == QEvent::WindowActivate) {
        QTimer::singleShot(0, this,
                           [this] { frontEnd_.user([this] { window_.activatedByUser(); }); });
    } else if (event->type() == QEvent::Paint && !firstPaintSeen_) {
        firstPaintSeen_ = true;
        // Seen before the painting: the window is on the screen once the loop turns again.
        QTimer::singleShot(0, this,
                           [this] { frontEnd_.user([this] { window_.paintedFirstTime(); }); });
    }
    return QWidget::event(event);
}

// The close box asks the program; it decides whether the window goes.
void WindowView::closeEvent(QCloseEvent* event) {
    event->ignore();
    frontEnd_.user([this] { window_.closedByUser(); });
}

void WindowView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QSize size = event->size();
    const auto pending = std::find(pendingSizes_.begin(), pendingSizes_.end(), size);
    if (pending != pendingSizes_.end()) {
        pendingSizes_.erase(pendingSizes_.begin(), pending + 1);
        return;
    }
    if (window_.frameKind() != tk::FrameKind::Sizable || !isVisible() ||
        size == modelClientSize()) {
        return;
    }
    const auto [width, height] = tk::outerTwips(window_.frameKind(), fromQt(size), frontEnd_.dpi());
    frontEnd_.user([this, width, height] { window_.resizedByUser(width, height); });
}

// A key typed into a control goes to the program first, then to the control and its parents.
// The window's own handler never takes it: the window gets a key only when nothing had the
// focus as it was pressed, even if a box opened by the key has taken the focus away since.
bool WindowView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || watched != QApplication::focusWidget() ||
        deliveringToControl_) {
        return QWidget::eventFilter(watched, event);
    }
    const QPointer<QObject> alive(watched);
    keyPressed(*static_cast<QKeyEvent*>(event));
    if (alive && !frontEnd_.app().ended()) {
        deliveringToControl_ = true;
        QCoreApplication::sendEvent(watched, event);
        deliveringToControl_ = false;
    }
    event->accept();
    return true;
}

void WindowView::keyPressEvent(QKeyEvent* event) {
    const QWidget* focus = QApplication::focusWidget();
    if (!deliveringToControl_ && (focus == nullptr || focus == this)) {
        keyPressed(*event);
    }
    QWidget::keyPressEvent(event);
}

void WindowView::keyPressed(const QKeyEvent& event) {
    if (const std::optional<tk::Key> key = keyDown(event)) {
        frontEnd_.user([this, key] { window_.keyDownByUser(*key); });
        return;
    }
    const int code = characterCode(event);
    if (code >= 0) {
        frontEnd_.user([this, code] { window_.keyPressedByUser(code); });
    }
}

}  // namespace gui::qt
