// Frames and shapes: widgets that only paint themselves (a frame as Fusion draws it).
#include "gui/qt/control_kinds.h"

#include <QtGui/QPainter>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QStyleOption>

#include "gui/qt/control_view.h"
#include "gui/qt/fusion_frame.h"
#include "gui/qt/text.h"
#include "toolkit/controls.h"

namespace gui::qt {

namespace {

class FrameView final : public QGroupBox, public ControlView {
  public:
    FrameView(FrontEnd& frontEnd, tk::Frame& frame, QWidget* parent)
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
    ShapeView(FrontEnd& frontEnd, tk::Shape& shape, QWidget* parent)
        : QWidget(parent), ControlView(frontEnd, shape, *this), shape_(shape) {}

  protected:
    void followKind(const tk::Change&) override {}
    void followStyle() override { update(); }
    void paintEvent(QPaintEvent*) override {
        const tk::Style& style = shape_.style();
        QPainter painter(this);
        if (style.fillColor) {
            painter.fillRect(rect(), qtColor(*style.fillColor));
        }
        if (style.border) {
            painter.setPen(style.textColor ? qtColor(*style.textColor) : QColor(Qt::black));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }

  private:
    tk::Shape& shape_;
};

}  // namespace

ControlView* frameView(FrontEnd& frontEnd, tk::Frame& control, QWidget* parent) {
    return new FrameView(frontEnd, control, parent);
}

ControlView* shapeView(FrontEnd& frontEnd, tk::Shape& control, QWidget* parent) {
    return new ShapeView(frontEnd, control, parent);
}

}  // namespace gui::qt
