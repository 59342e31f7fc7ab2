// The Qt front end, offscreen, behind the contract tests' driver: widgets read back and driven
// with QTest's key and mouse events.
#include <QtCore/QTimer>
#include <QtGui/QWheelEvent>
#include <QtTest/QTest>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QScrollBar>

#include "gui/qt/front_end.h"
#include "gui/qt/list_box_widget.h"
#include "gui/qt/text.h"
#include "gui_contract/front_end_driver.h"

namespace testing_support {

namespace {

using gui::qt::fromQt;
using gui::qt::toQt;

QMessageBox::StandardButton standardButton(tk::Answer answer) {
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

tk::Answer answerOf(QMessageBox::StandardButton button) {
    switch (button) {
        case QMessageBox::Yes:
            return tk::Answer::Yes;
        case QMessageBox::No:
            return tk::Answer::No;
        case QMessageBox::Cancel:
            return tk::Answer::Cancel;
        default:
            return tk::Answer::Ok;
    }
}

// The key a character is typed with on a keyboard whose letters are Latin ones.
Qt::Key keyOf(char32_t character) {
    switch (character) {
        case U'\x1b':
            return Qt::Key_Escape;
        case U'\r':
            return Qt::Key_Return;
        default:
            return static_cast<Qt::Key>(QChar::toUpper(character));
    }
}

class QtDriver final : public FrontEndDriver {
  public:
    tk::Application& app() override { return frontEnd_.app(); }

    bool bringToFront(const tk::Window& window) override {
        QWidget* top = frontEnd_.widget(window);
        top->activateWindow();
        return QTest::qWaitForWindowActive(top);
    }

    ShownControl shown(const tk::Control& control) override {
        QApplication::sendPostedEvents();  // what a paint would show
        ShownControl shown;
        if (frontEnd_.widget(control) == nullptr) {
            return shown;  // not built yet: never shown
        }
        QWidget& widget = *frontEnd_.widget(control);
        shown.enabled = widget.isEnabled();
        shown.visible = widget.isVisible();
        shown.bold = widget.font().bold();
        QWidget& top = *widget.window();
        const QPoint corner = widget.mapTo(&top, QPoint(0, 0));
        shown.place = {corner.x(), corner.y(), widget.width(), widget.height()};
        const QWidget* hit = top.childAt(widget.mapTo(&top, widget.rect().center()));
        shown.uncovered = hit == &widget || widget.isAncestorOf(hit);
        if (auto* box = qobject_cast<QCheckBox*>(&widget)) {
            shown.check = box->checkState() == Qt::Checked            ? 1
                          : box->checkState() == Qt::PartiallyChecked ? 2
                                                                      : 0;
        }
        if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
            shown.text = fromQt(button->text());
            if (qobject_cast<QRadioButton*>(button) != nullptr) {
                shown.check = button->isChecked() ? 1 : 0;
            }
        } else if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
            shown.text = fromQt(edit->text());
            shown.readOnly = edit->isReadOnly();
        } else if (auto* label = qobject_cast<QLabel*>(&widget)) {
            shown.text = fromQt(label->text());
        } else if (auto* bar = qobject_cast<QScrollBar*>(&widget)) {
            shown.range = {bar->minimum(), bar->maximum()};
            shown.position = bar->value();
        }
        return shown;
    }

    ShownWindow shown(const tk::Window& window) override {
        QWidget& top = *frontEnd_.widget(window);
        return {fromQt(top.windowTitle()), top.isVisible(), {top.width(), top.height()}};
    }

    int rowCount(const tk::Control& list) override { return listWidget(list).rowCount(); }
    std::string row(const tk::Control& list, int index) override {
        return fromQt(listWidget(list).rowText(index));
    }
    int selectedRow(const tk::Control& list) override { return listWidget(list).currentRow(); }
    int manyRows() const override { return 100000; }

    void focus(const tk::Control& control) override { frontEnd_.widget(control)->setFocus(); }
    void focus(const tk::Window& window) override {
        QWidget* top = frontEnd_.widget(window);
        if (QWidget* focused = top->focusWidget()) {
            focused->clearFocus();
        }
        top->setFocus();
    }

    void click(const tk::Control& control) override {
        QWidget* widget = frontEnd_.widget(control);
        if (qobject_cast<QCheckBox*>(widget) != nullptr ||
            qobject_cast<QRadioButton*>(widget) != nullptr) {
            // They take clicks on their box and caption only.
            QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, 8));
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            button->click();  // as the system's own click, also where the window has gone
        } else {
            QTest::mouseClick(widget, Qt::LeftButton);
        }
    }
    void clickRow(const tk::Control& list, int index) override {
        gui::qt::ListBoxWidget& widget = listWidget(list);
        QTest::mouseClick(widget.viewport(), Qt::LeftButton, {}, widget.rowRect(index).center());
    }
    void doubleClickRow(const tk::Control& list, int index) override {
        gui::qt::ListBoxWidget& widget = listWidget(list);
        QTest::mouseDClick(widget.viewport(), Qt::LeftButton, {}, widget.rowRect(index).center());
    }

    void move(const tk::Control& control, BarMove move) override {
        auto& bar = dynamic_cast<QScrollBar&>(*frontEnd_.widget(control));
        switch (move) {
            case BarMove::LineDown:
                bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
                break;
            case BarMove::PageDown:
                bar.triggerAction(QAbstractSlider::SliderPageStepAdd);
                break;
            case BarMove::WheelUp: {
                QWheelEvent wheel({5, 5}, bar.mapToGlobal(QPointF(5, 5)), {}, {0, 120},
                                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(&bar, &wheel);
                break;
            }
        }
    }

    void type(const std::string& characters) override {
        for (const char32_t character : toQt(characters).toUcs4()) {
            const QString text = QString::fromUcs4(&character, 1);
            QTest::sendKeyEvent(QTest::Click, keyboardTarget(), keyOf(character), text,
                                Qt::NoModifier);
        }
    }
    void typeThroughReadOnly(const tk::Control& box, const std::string& characters) override {
        auto& edit = dynamic_cast<QLineEdit&>(*frontEnd_.widget(box));
        edit.setReadOnly(false);
        edit.setFocus();
        type(characters);
    }
    void press(Key key) override {
        switch (key) {
            case Key::Return:
                QTest::keyClick(keyboardTarget(), Qt::Key_Return);
                break;
            case Key::KeypadEnter:
                QTest::keyClick(keyboardTarget(), Qt::Key_Enter, Qt::KeypadModifier);
                break;
            case Key::Space:
                QTest::keyClick(keyboardTarget(), Qt::Key_Space);
                break;
            case Key::Tab:
                QTest::keyClick(keyboardTarget(), Qt::Key_Tab);
                break;
            case Key::Home:
                QTest::keyClick(keyboardTarget(), Qt::Key_Home);
                break;
            case Key::Delete:
                QTest::keyClick(keyboardTarget(), Qt::Key_Delete);
                break;
        }
    }
    void pressAltWith(char letter) override {
        QTest::keyClick(keyboardTarget(), keyOf(static_cast<unsigned char>(letter)),
                        Qt::AltModifier);
    }

    void resizeByUser(const tk::Window& window, tk::PixelSize client) override {
        frontEnd_.widget(window)->resize(client.width, client.height);
        QApplication::processEvents();
    }
    void closeByUser(const tk::Window& window) override { frontEnd_.widget(window)->close(); }

    void wait(int milliseconds) override {
        QApplication::processEvents();
        if (milliseconds > 0) {
            QTest::qWait(milliseconds);
        }
    }
    bool waitUntil(const std::function<bool()>& condition, int milliseconds) override {
        return QTest::qWaitFor(condition, milliseconds);
    }

    void answerBox(tk::Answer press, ShownBox& seen, std::function<bool()> ready) override {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, [=, &seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible() || !ready()) {
                return;
            }
            seen.seen = true;
            seen.title = fromQt(box->windowTitle());
            seen.text = fromQt(box->text());
            seen.defaultButton = answerOf(box->standardButton(box->defaultButton()));
            box->button(standardButton(press))->click();
            poll->deleteLater();
        });
        poll->start(5);
    }
    bool boxOpen() override { return QApplication::activeModalWidget() != nullptr; }

    int runProgram(std::function<void()> start) override {
        QTimer::singleShot(0, start);
        return QApplication::exec();
    }

  private:
    gui::qt::ListBoxWidget& listWidget(const tk::Control& list) {
        return dynamic_cast<gui::qt::ListBoxWidget&>(*frontEnd_.widget(list));
    }
    // Where a key goes: the focused widget, else the active window.
    static QWidget* keyboardTarget() {
        QWidget* focused = QApplication::focusWidget();
        return focused != nullptr ? focused : QApplication::activeWindow();
    }

    gui::qt::FrontEnd frontEnd_;
};

}  // namespace

std::unique_ptr<FrontEndDriver> makeFrontEndDriver() {
    return std::make_unique<QtDriver>();
}

}  // namespace testing_support
