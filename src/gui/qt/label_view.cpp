// Labels: plain text, framed when the style says so, reporting clicks.
#include "gui/qt/control_kinds.h"

#include <QtGui/QMouseEvent>
#include <QtWidgets/QLabel>

#include "gui/qt/control_view.h"
#include "gui/qt/text.h"
#include "toolkit/controls.h"

namespace gui::qt {

namespace {

class LabelView final : public QLabel, public ControlView {
  public:
    LabelView(FrontEnd& frontEnd, tk::Label& label, QWidget* parent)
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

}  // namespace

ControlView* labelView(FrontEnd& frontEnd, tk::Label& control, QWidget* parent) {
    return new LabelView(frontEnd, control, parent);
}

}  // namespace gui::qt
