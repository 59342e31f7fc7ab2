#pragma once
// A single-selection list of text lines, as a platform list box is: rows of one height, drawn
// by the style as an item view draws its items, read from the owner when they are painted.
// Qt's item views bring a model, a selection model and a delegate that such a list does not
// need; the setup view built on one took about 800 KB more memory at start-up.

#include <QtCore/QElapsedTimer>
#include <QtWidgets/QAbstractScrollArea>
#include <QtWidgets/QStyleOptionViewItem>
#include <functional>

namespace gui::qt {

class ListBoxWidget : public QAbstractScrollArea {
  public:
    explicit ListBoxWidget(QWidget* parent);

    virtual int rowCount() const = 0;
    virtual QString rowText(int row) const = 0;

    // The selected row, -1 when none is.
    int currentRow() const { return current_; }
    // Selects a row (-1: none) and scrolls it into view, without telling onRowChosen.
    void setCurrentRow(int row);
    // Bring the scroll range and the picture up to date after rows were added, removed or
    // changed, and tell assistive tools. A removed row is no longer selected; the selection
    // stays on its row when rows before it go.
    void rowsInserted(int first, int last);
    void rowsRemoved(int first, int last);
    void rowChanged(int row);
    // Where a row lies in the viewport (outside it when the row is scrolled away).
    QRect rowRect(int row) const;
    // The row under a point of the viewport, -1 below the last row.
    int rowAt(QPoint point) const;

    // The user selected a row (click, drag, keys, typing its first letters).
    std::function<void(int row)> onRowChosen;
    // The user double-clicked a row.
    std::function<void()> onDoubleClicked;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    QStyleOptionViewItem itemOption() const;
    int rowHeight() const;
    int firstRow() const;
    int fullRows() const;
    void updateScrollRange();
    void scrollTo(int row);
    void choose(int row);
    void select(int row);
    void catchUp();
    // The row whose text starts with what the user typed, searched as item views do.
    int searchedRow(const QString& typed);

    mutable int rowHeight_ = 0;  // 0 until measured
    int current_ = -1;
    int pressedRow_ = -1;
    bool scrollPending_ = false;
    bool resetPending_ = false;  // rows changed while hidden: tools hear of it when shown
    QString typed_;
    QElapsedTimer typedTime_;
};

}  // namespace gui::qt
