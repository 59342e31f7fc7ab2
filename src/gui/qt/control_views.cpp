#include "gui/qt/control_views.h"

#include <QtCore/QPointer>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QShortcutEvent>
#include <QtGui/QValidator>
#include <QtGui/QWheelEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStyleOption>
#include <limits>

#include "gui/qt/front_end.h"
#include "gui/qt/list_box_widget.h"
#include "gui/qt/pixmaps.h"
#include "gui/qt/text.h"
#include "gui/qt/units.h"
#include "toolkit/controls.h"
#include "toolkit/tab_order.h"
#include "toolkit/text.h"

namespace gui {

namespace {

QColor rgb(std::uint32_t color) {
    return QColor(static_cast<QRgb>(color));
}

}  // namespace

ControlView::ControlView(QtFrontEnd& frontEnd, tk::Control& control, QWidget& widget)
    : frontEnd_(frontEnd), control_(control), widget_(widget) {
    control_.onViewChange = [this](const tk::Change& change) {
        frontEnd_.mirror([&] { follow(change); });
    };
}

void ControlView::follow(const tk::Change& change) {
    if (change.property == tk::Property::Destroyed) {
        detached_ = true;  // the control is gone: never touch it again
        return;
    }
    switch (change.property) {
        case tk::Property::Tooltip:
            widget_.setToolTip(toQt(control_.tooltip()));
            break;
        case tk::Property::Visible:
            widget_.setVisible(control_.visible());
            break;
        case tk::Property::Enabled:
            widget_.setEnabled(control_.enabled());
            break;
        case tk::Property::TabStop:
            widget_.setFocusPolicy(!tk::takesFocus(control_.kind()) ? Qt::NoFocus
                                   : control_.tabStop()             ? Qt::StrongFocus
                                                                    : Qt::ClickFocus);
            break;
        case tk::Property::Focus:
            if (control_.hasFocus()) {
                widget_.setFocus(Qt::OtherFocusReason);
            }
            break;
        case tk::Property::Geometry:
            widget_.setGeometry(toQt(tk::toPixels(control_.geometry(), frontEnd_.dpi())));
            break;
        case tk::Property::Style:
            followStyle();
            // The controls inside follow only where they lie apart from their container.
            for (QWidget* child : widget_.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (ControlView* view = viewOf(child); view != nullptr && view != this) {
                    view->follow(change);
                }
            }
            break;
        default:
            followKind(change);
            break;
    }
}

void ControlView::followAll() {
    for (const tk::Property property :
         {tk::Property::Caption, tk::Property::Tooltip, tk::Property::Enabled,
          tk::Property::TabStop, tk::Property::Geometry, tk::Property::Style, tk::Property::Range,
          tk::Property::Value, tk::Property::Selection, tk::Property::ReadOnly,
          tk::Property::Visible, tk::Property::Focus}) {
        follow({property});
    }
}

// A bold or coloured frame passes nothing on to the controls inside it: a widget gets a font
// or colours of its own wherever the ones it would take from its parent differ. Most widgets
// need neither, and each setting costs a round of change events.
void ControlView::followStyle() {
    const tk::Style& style = control_.style();
    QFont font = frontEnd_.font();
    font.setBold(style.bold);
    if (widget_.font() != font) {
        widget_.setFont(font);
    }

    // Every group is set, the disabled one with the style's greyed colours, so that a disabled
    // control looks disabled whatever its colour.
    const QPalette standard = QApplication::palette();
    QPalette palette = standard;
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (const QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::ButtonText, QPalette::Text, QPalette::Window}) {
            palette.setColor(group, role, standard.color(group, role));
            if (style.textColor && group != QPalette::Disabled && role != QPalette::Window) {
                palette.setColor(group, role, rgb(*style.textColor));
            }
        }
    }
    if (style.fillColor) {
        palette.setColor(QPalette::Window, rgb(*style.fillColor));
    }
    widget_.setAutoFillBackground(style.fillColor.has_value());
    if (widget_.palette() != palette) {
        widget_.setPalette(palette);
    }
}

void ControlView::user(const std::function<void()>& action, bool resync) {
    if (detached_) {
        return;
    }
    const QPointer<QWidget> alive(&widget_);
    frontEnd_.user(action);
    if (resync && alive && !detached_) {
        frontEnd_.mirror([this] { followKind({tk::Property::Value}); });
    }
}

namespace {

class ButtonView final : public QPushButton, public ControlView {
  public:
    ButtonView(QtFrontEnd& frontEnd, tk::Button& button, QWidget* parent)
        : QPushButton(parent), ControlView(frontEnd, button, *this), button_(button) {
        connect(this, &QPushButton::clicked, this,
                [this] { user([this] { button_.clickByUser(); }); });
    }

  protected:
    void followKind(const tk::Change& change) override {
        if (change.property == tk::Property::Caption) {
            setText(toQt(button_.caption()));
        }
    }
    // The access key clicks at once (Qt would animate the click and report it later).
    bool event(QEvent* event) override {
        if (event->type() == QEvent::Shortcut &&
            !static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
            setFocus(Qt::ShortcutFocusReason);
            click();
            return true;
        }
        return QPushButton::event(event);
    }

  private:
    tk::Button& button_;
};

class CheckBoxView final : public QCheckBox, public ControlView {
  public:
    CheckBoxView(QtFrontEnd& frontEnd, tk::CheckBox& box, QWidget* parent)
        : QCheckBox(parent), ControlView(frontEnd, box, *this), box_(box) {
        connect(this, &QCheckBox::clicked, this, [this] { user([this] { box_.clickByUser(); }); });
    }

  protected:
    void followKind(const tk::Change& change) override {
        if (change.property == tk::Property::Caption) {
            setText(toQt(box_.caption()));
        } else if (change.property == tk::Property::Value) {
            setCheckState(box_.value() == 1   ? Qt::Checked
                          : box_.value() == 2 ? Qt::PartiallyChecked
                                              : Qt::Unchecked);
        }
    }

  private:
    tk::CheckBox& box_;
};

class OptionView final : public QRadioButton, public ControlView {
  public:
    OptionView(QtFrontEnd& frontEnd, tk::OptionButton& option, QWidget* parent)
        : QRadioButton(parent), ControlView(frontEnd, option, *this), option_(option) {
        setAutoExclusive(false);
        connect(this, &QRadioButton::clicked, this,
                [this] { user([this] { option_.clickByUser(); }); });
    }

  protected:
    void followKind(const tk::Change& change) override {
        if (change.property == tk::Property::Caption) {
            setText(toQt(option_.caption()));
        } else if (change.property == tk::Property::Value) {
            setChecked(option_.value());
        }
    }

  private:
    tk::OptionButton& option_;
};

// The list's rows are read straight from the control, without a copy.
class ListBoxView final : public ListBoxWidget, public ControlView {
  public:
    ListBoxView(QtFrontEnd& frontEnd, tk::ListBox& list, QWidget* parent)
        : ListBoxWidget(parent), ControlView(frontEnd, list, *this), list_(list) {
        onRowChosen = [this](int row) { user([this, row] { list_.selectedByUser(row); }); };
        onDoubleClicked = [this] { user([this] { list_.doubleClickedByUser(); }); };
    }

    int rowCount() const override { return detached() ? 0 : list_.listCount(); }
    QString rowText(int row) const override { return toQt(list_.list(row)); }

  protected:
    void followKind(const tk::Change& change) override {
        switch (change.property) {
            case tk::Property::ItemAppended:
                rowsInserted(change.index, change.index);
                break;
            case tk::Property::ItemReplaced:
                rowChanged(change.index);
                break;
            case tk::Property::ItemRemoved:
                rowsRemoved(change.index, change.index);
                setCurrentRow(list_.listIndex());
                break;
            case tk::Property::Value:
            case tk::Property::Selection:
                setCurrentRow(list_.listIndex());
                break;
            default:
                break;
        }
    }

  private:
    tk::ListBox& list_;
};

// Keeps line breaks out of a line edit, however text arrives (typed, pasted, dropped), as the
// text box does, with the cursor kept after the same text.
class SingleLineValidator final : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override {
        if (input.contains(u'\n') || input.contains(u'\r')) {
            const QString before = toQt(tk::singleLine(fromQt(input.left(position))));
            input = toQt(tk::singleLine(fromQt(input)));
            position = static_cast<int>(std::min(before.size(), input.size()));
        }
        return Acceptable;
    }
};

class TextBoxView final : public QLineEdit, public ControlView {
  public:
    TextBoxView(QtFrontEnd& frontEnd, tk::TextBox& box, QWidget* parent)
        : QLineEdit(parent), ControlView(frontEnd, box, *this), box_(box) {
        setMaxLength(std::numeric_limits<int>::max());  // the default would cut at 32,767
        setValidator(new SingleLineValidator(this));
        connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
            user([this, text = fromQt(text)] { box_.editedByUser(text); });
        });
        connect(this, &QLineEdit::selectionChanged, this, [this] { reportSelection(); });
        connect(this, &QLineEdit::cursorPositionChanged, this, [this] { reportSelection(); });
    }

  protected:
    void followKind(const tk::Change& change) override {
        switch (change.property) {
            case tk::Property::Value:
                if (text() != toQt(box_.text())) {
                    setText(toQt(box_.text()));
                    applySelection();
                }
                break;
            case tk::Property::Selection:
                applySelection();
                break;
            case tk::Property::ReadOnly:
                setReadOnly(box_.readOnly());
                break;
            default:
                break;
        }
    }

  private:
    void applySelection() {
        const QString shown = text();
        const int start = tk::utf16Offset(utf16(shown), box_.selStart());
        const int end = tk::utf16Offset(utf16(shown), box_.selStart() + box_.selLength());
        if (end > start) {
            setSelection(start, end - start);
        } else {
            setCursorPosition(start);
        }
    }
    void reportSelection() {
        const int start = hasSelectedText() ? selectionStart() : cursorPosition();
        const int end = hasSelectedText() ? selectionEnd() : start;
        const QString shown = text();
        const int first = tk::characterPosition(utf16(shown), start);
        const int length = tk::characterPosition(utf16(shown), end) - first;
        user([this, first, length] { box_.selectionChangedByUser(first, length); }, false);
    }

    tk::TextBox& box_;
};

// Arrow clicks step the control by its small change; other moves hand over the new position.
// Either way the control decides the value the bar then shows.
class ScrollBarView final : public QScrollBar, public ControlView {
  public:
    ScrollBarView(QtFrontEnd& frontEnd, tk::VScrollBar& bar, QWidget* parent)
        : QScrollBar(Qt::Vertical, parent), ControlView(frontEnd, bar, *this), bar_(bar) {
        connect(this, &QScrollBar::actionTriggered, this, [this](int action) {
            switch (action) {
                case QAbstractSlider::SliderNoAction:
                    return;
                // The control has one change for arrows, page keys and clicks in the trough.
                case QAbstractSlider::SliderSingleStepAdd:
                case QAbstractSlider::SliderPageStepAdd:
                    user([this] { bar_.stepByUser(1); });
                    break;
                case QAbstractSlider::SliderSingleStepSub:
                case QAbstractSlider::SliderPageStepSub:
                    user([this] { bar_.stepByUser(-1); });
                    break;
                default:
                    user([this, position = sliderPosition()] { bar_.setValueByUser(position); });
                    break;
            }
        });
    }

  protected:
    void followKind(const tk::Change& change) override {
        if (change.property == tk::Property::Range) {
            setRange(std::min(bar_.min(), bar_.max()), std::max(bar_.min(), bar_.max()));
            setSingleStep(bar_.smallChange());
            setPageStep(bar_.smallChange());
        } else if (change.property == tk::Property::Value) {
            setValue(bar_.value());
        }
    }
    // One notch of the wheel is one step, as one arrow click (turning it away from the user, up,
    // is the up arrow).
    void wheelEvent(QWheelEvent* event) override {
        const int delta = event->angleDelta().y();
        if (delta != 0) {
            user([this, delta] { bar_.stepByUser(delta > 0 ? -1 : 1); });
        }
        event->accept();
    }

  private:
    tk::VScrollBar& bar_;
};

class LabelView final : public QLabel, public ControlView {
  public:
    LabelView(QtFrontEnd& frontEnd, tk::Label& label, QWidget* parent)
        : QLabel(parent), ControlView(frontEnd, label, *this), label_(label) {
        setTextFormat(Qt::PlainText);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

  protected:
    void followKind(const tk::Change& change) override {
        if (change.property == tk::Property::Caption) {
            setText(withoutAccessKeys(toQt(label_.caption())));
        }
    }
    void followStyle() override {
        ControlView::followStyle();
        setFrameShape(label_.style().border ? QFrame::Box : QFrame::NoFrame);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
            user([this] { label_.clickByUser(); });
        }
    }

  private:
    tk::Label& label_;
};

class FrameView final : public QGroupBox, public ControlView {
  public:
    FrameView(QtFrontEnd& frontEnd, tk::Frame& frame, QWidget* parent)
        : QGroupBox(parent), ControlView(frontEnd, frame, *this), frame_(frame) {
        cacheFramePixmap();  // before the first frame is painted
    }

  protected:
    void followKind(const tk::Change& change) override {
        if (change.property == tk::Property::Caption) {
            setTitle(toQt(frame_.caption()));
        }
    }
    void paintEvent(QPaintEvent* event) override {
        QStyleOptionGroupBox option;
        initStyleOption(&option);
        if (!paintFusionFrame(*this, option)) {
            QGroupBox::paintEvent(event);
        }
    }

  private:
    tk::Frame& frame_;
};

class ShapeView final : public QWidget, public ControlView {
  public:
    ShapeView(QtFrontEnd& frontEnd, tk::Shape& shape, QWidget* parent)
        : QWidget(parent), ControlView(frontEnd, shape, *this), shape_(shape) {}

  protected:
    void followKind(const tk::Change&) override {}
    void followStyle() override { update(); }
    void paintEvent(QPaintEvent*) override {
        const tk::Style& style = shape_.style();
        QPainter painter(this);
        if (style.fillColor) {
            painter.fillRect(rect(), rgb(*style.fillColor));
        }
        if (style.border) {
            painter.setPen(style.textColor ? rgb(*style.textColor) : QColor(Qt::black));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }

  private:
    tk::Shape& shape_;
};

}  // namespace

ControlView* createView(QtFrontEnd& frontEnd, tk::Control& control, QWidget* parent) {
    ControlView* view = nullptr;
    switch (control.kind()) {
        case tk::Kind::Button:
            view = new ButtonView(frontEnd, static_cast<tk::Button&>(control), parent);
            break;
        case tk::Kind::CheckBox:
            view = new CheckBoxView(frontEnd, static_cast<tk::CheckBox&>(control), parent);
            break;
        case tk::Kind::OptionButton:
            view = new OptionView(frontEnd, static_cast<tk::OptionButton&>(control), parent);
            break;
        case tk::Kind::ListBox:
            view = new ListBoxView(frontEnd, static_cast<tk::ListBox&>(control), parent);
            break;
        case tk::Kind::TextBox:
            view = new TextBoxView(frontEnd, static_cast<tk::TextBox&>(control), parent);
            break;
        case tk::Kind::VScrollBar:
            view = new ScrollBarView(frontEnd, static_cast<tk::VScrollBar&>(control), parent);
            break;
        case tk::Kind::Label:
            view = new LabelView(frontEnd, static_cast<tk::Label&>(control), parent);
            break;
        case tk::Kind::Frame:
            view = new FrameView(frontEnd, static_cast<tk::Frame&>(control), parent);
            break;
        case tk::Kind::Shape:
            view = new ShapeView(frontEnd, static_cast<tk::Shape&>(control), parent);
            break;
    }
    frontEnd.mirror([view] { view->followAll(); });
    return view;
}

ControlView* viewOf(QWidget* widget) {
    for (; widget != nullptr; widget = widget->parentWidget()) {
        if (auto* view = dynamic_cast<ControlView*>(widget)) {
            return view;
        }
        if (widget->isWindow()) {
            break;
        }
    }
    return nullptr;
}

}  // namespace gui
