// Text boxes: a line edit of one line, its text and selection reported to the control.
#include "gui/qt/control_kinds.h"

#include <QtGui/QValidator>
#include <QtWidgets/QLineEdit>
#include <algorithm>
#include <limits>

#include "gui/qt/control_view.h"
#include "gui/qt/text.h"
#include "toolkit/controls.h"
#include "toolkit/text.h"

namespace gui::qt {

namespace {

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
    TextBoxView(FrontEnd& frontEnd, tk::TextBox& box, QWidget* parent)
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

}  // namespace

ControlView* textBoxView(FrontEnd& frontEnd, tk::TextBox& control, QWidget* parent) {
    return new TextBoxView(frontEnd, control, parent);
}

}  // namespace gui::qt
