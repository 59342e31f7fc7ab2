// Vertical scroll bars: steps and moves handed to the control, which decides the value.
#include "gui/qt/control_kinds.h"

#include <QtGui/QWheelEvent>
#include <QtWidgets/QScrollBar>
#include <algorithm>

#include "gui/qt/control_view.h"
#include "toolkit/controls.h"

namespace gui::qt {

namespace {

// Arrow clicks step the control by its small change; other moves hand over the new position.
// Either way the control decides the value the bar then shows.
class ScrollBarView final : public QScrollBar, public ControlView {
  public:
    ScrollBarView(FrontEnd& frontEnd, tk::VScrollBar& bar, QWidget* parent)
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

}  // namespace

ControlView* scrollBarView(FrontEnd& frontEnd, tk::VScrollBar& control, QWidget* parent) {
    return new ScrollBarView(frontEnd, control, parent);
}

}  // namespace gui::qt
