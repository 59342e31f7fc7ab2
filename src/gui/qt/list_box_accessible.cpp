#include "gui/qt/list_box_accessible.h"

#include <QtCore/QPointer>
#include <QtGui/QAccessible>
#include <QtWidgets/QAccessibleWidget>
#include <map>

#include "gui/qt/list_box_widget.h"

namespace gui::qt {

namespace {

// One row, known by its place: after rows are added or removed it speaks for the row now
// there, and it is invalid once the list is shorter.
class RowItem final : public QAccessibleInterface {
  public:
    RowItem(ListBoxWidget& list, int row) : list_(&list), row_(row) {}

    bool isValid() const override { return list_ != nullptr && row_ < list_->rowCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return list_ != nullptr ? list_->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(list_.data());
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text text) const override {
        return text == QAccessible::Name && isValid() ? list_->rowText(row_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect row = list_->rowRect(row_);
        return {list_->viewport()->mapToGlobal(row.topLeft()), row.size()};
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.selectable = true;
        state.focusable = true;
        state.selected = list_->currentRow() == row_;
        state.focused = state.selected && list_->hasFocus();
        state.offscreen = !list_->viewport()->rect().intersects(list_->rowRect(row_));
        state.invisible = state.offscreen;
        state.disabled = !list_->isEnabled();
        return state;
    }

  private:
    QPointer<ListBoxWidget> list_;
    int row_;
};

class ListAccessible final : public QAccessibleWidget {
  public:
    explicit ListAccessible(ListBoxWidget& list) : QAccessibleWidget(&list, QAccessible::List) {}

    int childCount() const override { return list().rowCount(); }
    // Row items are made as the tools ask for them, and kept by Qt's registry.
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) {
            return nullptr;
        }
        const auto found = rows_.find(index);
        if (found != rows_.end()) {
            return QAccessible::accessibleInterface(found->second);
        }
        auto* item = new RowItem(list(), index);
        rows_.emplace(index, QAccessible::registerAccessibleInterface(item));
        return item;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (const auto& [row, id] : rows_) {
            if (QAccessible::accessibleInterface(id) == child) {
                return child->isValid() ? row : -1;
            }
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        return child(list().rowAt(list().viewport()->mapFromGlobal(QPoint(x, y))));
    }
    QAccessibleInterface* focusChild() const override {
        return list().hasFocus() ? child(list().currentRow()) : nullptr;
    }

  private:
    ListBoxWidget& list() const { return *static_cast<ListBoxWidget*>(widget()); }

    mutable std::map<int, QAccessible::Id> rows_;
};

QAccessibleInterface* accessibleListBox(const QString&, QObject* object) {
    auto* list = dynamic_cast<ListBoxWidget*>(object);
    return list != nullptr ? new ListAccessible(*list) : nullptr;
}

void announceModelChange(ListBoxWidget& list,
                         QAccessibleTableModelChangeEvent::ModelChangeType type, int first,
                         int last) {
    if (!QAccessible::isActive()) {
        return;
    }
    QAccessibleTableModelChangeEvent event(&list, type);
    event.setFirstRow(first);
    event.setLastRow(last);
    if (type == QAccessibleTableModelChangeEvent::DataChanged) {
        event.setFirstColumn(0);
        event.setLastColumn(0);
    }
    QAccessible::updateAccessibility(&event);
}

}  // namespace

void installListBoxAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&accessibleListBox);
        return true;
    }();
    (void)installed;
}

void announceRowsInserted(ListBoxWidget& list, int first, int last) {
    announceModelChange(list, QAccessibleTableModelChangeEvent::RowsInserted, first, last);
}

void announceRowsRemoved(ListBoxWidget& list, int first, int last) {
    announceModelChange(list, QAccessibleTableModelChangeEvent::RowsRemoved, first, last);
}

void announceRowChanged(ListBoxWidget& list, int row) {
    announceModelChange(list, QAccessibleTableModelChangeEvent::DataChanged, row, row);
}

void announceReset(ListBoxWidget& list) {
    announceModelChange(list, QAccessibleTableModelChangeEvent::ModelReset, -1, -1);
}

void announceSelection(ListBoxWidget& list, int from, int to) {
    if (!QAccessible::isActive()) {
        return;
    }
    const auto announce = [&list](QAccessible::Event type, int row) {
        if (row >= 0) {
            QAccessibleEvent event(&list, type);
            event.setChild(row);
            QAccessible::updateAccessibility(&event);
        }
    };
    announce(QAccessible::SelectionAdd, to);
    announce(QAccessible::SelectionRemove, from);
    if (list.hasFocus()) {
        announce(QAccessible::Focus, to);
    }
}

}  // namespace gui::qt
