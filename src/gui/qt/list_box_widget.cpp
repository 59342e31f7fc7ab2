#include "gui/qt/list_box_widget.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStyle>
#include <algorithm>

#include "gui/qt/list_box_accessible.h"

namespace gui::qt {

ListBoxWidget::ListBoxWidget(QWidget* parent) : QAbstractScrollArea(parent) {
    installListBoxAccessibility();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setSingleStep(1);
    viewport()->setBackgroundRole(QPalette::Base);
    // The list fills its own background (paintEvent) rather than have Qt fill it: a child
    // that Qt fills counts as opaque, and a frame around it would then be painted through a
    // clip region with a hole (see paintFusionFrame).
    viewport()->setAutoFillBackground(false);
}

void ListBoxWidget::setCurrentRow(int row) {
    select(row);
    scrollTo(row);
}

void ListBoxWidget::rowsInserted(int first, int last) {
    if (current_ >= first) {
        current_ += last - first + 1;
    }
    catchUp();
    if (isVisible()) {
        announceRowsInserted(*this, first, last);
    }
}

void ListBoxWidget::rowsRemoved(int first, int last) {
    if (current_ > last) {
        current_ -= last - first + 1;
    } else if (current_ >= first) {
        current_ = -1;
    }
    catchUp();
    if (isVisible()) {
        announceRowsRemoved(*this, first, last);
    }
}

void ListBoxWidget::rowChanged(int row) {
    catchUp();
    if (isVisible()) {
        announceRowChanged(*this, row);
    }
}

// A hidden list, say one being refilled, catches up once when it is shown.
void ListBoxWidget::catchUp() {
    if (isVisible()) {
        updateScrollRange();
        viewport()->update();
    } else {
        resetPending_ = true;
    }
}

void ListBoxWidget::select(int row) {
    if (row != current_) {
        const int previous = current_;
        current_ = row;
        viewport()->update();
        announceSelection(*this, previous, row);
    }
}

QRect ListBoxWidget::rowRect(int row) const {
    return {0, (row - firstRow()) * rowHeight(), viewport()->width(), rowHeight()};
}

int ListBoxWidget::rowAt(QPoint point) const {
    if (point.y() < 0 || rowCount() == 0) {
        return -1;
    }
    const int row = firstRow() + point.y() / rowHeight();
    return row < rowCount() ? row : -1;
}

void ListBoxWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), viewport()->palette().brush(viewport()->backgroundRole()));
    QStyleOptionViewItem option = itemOption();
    const QStyle::State state = option.state;
    const int rows = rowCount();
    // The focus is shown on the selected row, or on the first when none is.
    const int focusRow = hasFocus() ? std::max(current_, 0) : -1;
    for (int row = firstRow(); row < rows; ++row) {
        option.rect = rowRect(row);
        if (option.rect.top() >= viewport()->height()) {
            break;
        }
        if (!option.rect.intersects(event->rect())) {
            continue;
        }
        option.text = rowText(row);
        option.state = state;
        if (row == current_) {
            option.state |= QStyle::State_Selected;
        }
        if (row == focusRow) {
            option.state |= QStyle::State_HasFocus;
        }
        style()->drawControl(QStyle::CE_ItemViewItem, &option, &painter, this);
    }
}

void ListBoxWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    pressedRow_ = rowAt(event->position().toPoint());
    if (pressedRow_ >= 0) {
        choose(pressedRow_);
    }
}

// Dragging with the button held selects the row under the mouse, as a press there would; above
// or below the list it selects the next row out of view, which scrolls the list on.
void ListBoxWidget::mouseMoveEvent(QMouseEvent* event) {
    const int rows = rowCount();
    if ((event->buttons() & Qt::LeftButton) == 0 || pressedRow_ < 0 || rows == 0) {
        return;
    }
    const QPoint point = event->position().toPoint();
    if (point.y() < 0) {
        choose(std::max(firstRow() - 1, 0));
    } else if (point.y() >= viewport()->height()) {
        choose(std::min(firstRow() + fullRows(), rows - 1));
    } else if (const int row = rowAt(point); row >= 0) {
        choose(row);
    }
}

// The second press of a double-click on the row the first one chose is a double-click; anywhere
// else it is a press.
void ListBoxWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    const int row = rowAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || row < 0 || row != pressedRow_) {
        mousePressEvent(event);
        return;
    }
    if (onDoubleClicked) {
        onDoubleClicked();
    }
}

void ListBoxWidget::keyPressEvent(QKeyEvent* event) {
    const int last = rowCount() - 1;
    const auto page = [this] { return std::max(1, fullRows() - 1); };
    // With nothing selected, a move selects the first row.
    const auto moved = [this](int by) { return current_ < 0 ? 0 : current_ + by; };
    int row = 0;
    switch (event->key()) {
        case Qt::Key_Up:
            row = moved(-1);
            break;
        case Qt::Key_Down:
            row = moved(1);
            break;
        case Qt::Key_PageUp:
            row = moved(-page());
            break;
        case Qt::Key_PageDown:
            row = moved(page());
            break;
        case Qt::Key_Home:
            row = 0;
            break;
        case Qt::Key_End:
            row = last;
            break;
        default: {
            const QString text = event->text();
            if ((event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) !=
                    0 ||
                text.isEmpty() || !text.front().isPrint()) {
                event->ignore();
                return;
            }
            event->accept();
            row = searchedRow(text);
            if (row >= 0) {
                choose(row);
            }
            return;
        }
    }
    event->accept();
    if (last >= 0) {
        choose(std::clamp(row, 0, last));
    }
}

void ListBoxWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void ListBoxWidget::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    updateScrollRange();
    if (resetPending_) {
        resetPending_ = false;
        announceReset(*this);
    }
    if (scrollPending_) {
        scrollPending_ = false;
        scrollTo(current_);
    }
}

void ListBoxWidget::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        rowHeight_ = 0;
        updateScrollRange();
        viewport()->update();
    }
}

void ListBoxWidget::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void ListBoxWidget::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

// What an item view tells the style about an item of text.
QStyleOptionViewItem ListBoxWidget::itemOption() const {
    QStyleOptionViewItem option;
    option.initFrom(this);
    option.state &= ~(QStyle::State_MouseOver | QStyle::State_HasFocus);
    option.widget = this;
    option.font = font();
    option.features = QStyleOptionViewItem::HasDisplay;
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    option.textElideMode = Qt::ElideRight;
    const int icon = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    option.decorationSize = QSize(icon, icon);
    option.showDecorationSelected =
        style()->styleHint(QStyle::SH_ItemView_ShowDecorationSelected, nullptr, this) != 0;
    return option;
}

// Measured when first needed: an empty list, as at a first start, never lays out a line.
int ListBoxWidget::rowHeight() const {
    if (rowHeight_ == 0) {
        QStyleOptionViewItem option = itemOption();
        option.text = QStringLiteral("Xg");
        rowHeight_ = std::max(
            1, style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, {}, this).height());
    }
    return rowHeight_;
}

int ListBoxWidget::firstRow() const {
    return verticalScrollBar()->value();
}

int ListBoxWidget::fullRows() const {
    return std::max(1, viewport()->height() / rowHeight());
}

// The list scrolls a row at a time, and no further than to show the last row whole.
void ListBoxWidget::updateScrollRange() {
    QScrollBar& bar = *verticalScrollBar();
    const int rows = rowCount();
    bar.setRange(0, rows == 0 ? 0 : std::max(0, rows - fullRows()));
    if (rows > 0) {
        bar.setPageStep(fullRows());
    }
}

void ListBoxWidget::scrollTo(int row) {
    if (row < 0) {
        return;
    }
    if (!isVisible()) {
        // A hidden list has no height to scroll by yet.
        scrollPending_ = true;
        return;
    }
    QScrollBar& bar = *verticalScrollBar();
    if (row < bar.value()) {
        bar.setValue(row);
    } else if (row >= bar.value() + fullRows()) {
        bar.setValue(row - fullRows() + 1);
    }
}

// The user's choice; the owner hears of it last, since its handler may change the list.
void ListBoxWidget::choose(int row) {
    scrollTo(row);
    if (row == current_) {
        return;
    }
    select(row);
    if (onRowChosen) {
        onRowChosen(row);
    }
}

// A new search starts after the selected row; letters typed in quick succession extend it,
// from the selected row on. One letter typed again and again steps through the rows that start
// with it.
int ListBoxWidget::searchedRow(const QString& typed) {
    const int rows = rowCount();
    const bool continued =
        typedTime_.isValid() && typedTime_.elapsed() <= QApplication::keyboardInputInterval();
    typedTime_.start();
    typed_ = continued ? typed_ + typed : typed;
    const bool sameLetter = typed_.size() > 1 && typed_.count(typed_.back()) == typed_.size();
    const QString wanted = sameLetter ? QString(typed_.front()) : typed_;
    int start = std::max(current_, 0);
    if (current_ >= 0 && (!continued || sameLetter)) {
        ++start;
    }
    for (int i = 0; i < rows; ++i) {
        const int row = (start + i) % rows;
        if (rowText(row).startsWith(wanted, Qt::CaseInsensitive)) {
            return row;
        }
    }
    return -1;
}

}  // namespace gui::qt
