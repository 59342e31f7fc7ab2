// List boxes: rows read straight from the control, chosen and double-clicked by the user.
#include "gui/qt/control_kinds.h"

#include "gui/qt/control_view.h"
#include "gui/qt/list_box_widget.h"
#include "gui/qt/text.h"
#include "toolkit/controls.h"

namespace gui::qt {

namespace {

// The list's rows are read straight from the control, without a copy.
class ListBoxView final : public ListBoxWidget, public ControlView {
  public:
    ListBoxView(FrontEnd& frontEnd, tk::ListBox& list, QWidget* parent)
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

}  // namespace

ControlView* listBoxView(FrontEnd& frontEnd, tk::ListBox& control, QWidget* parent) {
    return new ListBoxView(frontEnd, control, parent);
}

}  // namespace gui::qt
