// The list box widget as a user meets it: keys, typing, clicks and drags choose rows, the chosen
// row stays in view, and keys the list has no use for travel on to the window.
#include <gtest/gtest.h>

#include <QtGui/QAccessible>
#include <QtGui/QKeyEvent>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QScrollBar>
#include <vector>

#include "gui/qt/list_box_widget.h"

namespace {

class Rows final : public gui::qt::ListBoxWidget {
  public:
    explicit Rows(QStringList rows) : ListBoxWidget(nullptr), rows_(std::move(rows)) {
        onRowChosen = [this](int row) { chosen.push_back(row); };
        onDoubleClicked = [this] { ++doubleClicks; };
        resize(160, 100);
        show();
    }

    int rowCount() const override { return static_cast<int>(rows_.size()); }
    QString rowText(int row) const override { return rows_.at(row); }

    void remove(int row) {
        rows_.removeAt(row);
        rowsRemoved(row, row);
    }
    bool inView(int row) const { return viewport()->rect().contains(rowRect(row)); }
    int visibleRows() const { return viewport()->height() / rowRect(0).height(); }

    std::vector<int> chosen;
    int doubleClicks = 0;

  private:
    QStringList rows_;
};

QStringList numbered(int count) {
    QStringList rows;
    for (int i = 0; i < count; ++i) {
        rows.append(QStringLiteral("row %1").arg(i));
    }
    return rows;
}

TEST(ListBoxWidget, KeysMoveTheSelectionAndKeepItInView) {
    Rows list(numbered(40));
    const int page = list.visibleRows() - 1;
    ASSERT_GT(page, 0);
    struct Case {
        int from;
        Qt::Key key;
        int to;
    };
    const Case cases[] = {
        {-1, Qt::Key_Down, 0},      {-1, Qt::Key_Up, 0},         {-1, Qt::Key_End, 39},
        {0, Qt::Key_Up, 0},         {3, Qt::Key_Down, 4},        {39, Qt::Key_Down, 39},
        {20, Qt::Key_Home, 0},      {0, Qt::Key_PageDown, page}, {39, Qt::Key_PageUp, 39 - page},
        {38, Qt::Key_PageDown, 39}, {1, Qt::Key_PageUp, 0},      {-1, Qt::Key_PageDown, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " key " << c.key);
        list.setCurrentRow(c.from);
        list.chosen.clear();
        QTest::keyClick(&list, c.key);
        EXPECT_EQ(list.currentRow(), c.to);
        // The owner hears of a change only.
        EXPECT_EQ(list.chosen, c.to == c.from ? std::vector<int>{} : std::vector<int>{c.to});
        EXPECT_TRUE(list.inView(c.to));
    }
}

TEST(ListBoxWidget, TypingChoosesTheNextRowThatStartsWithTheTypedText) {
    Rows list({"apple", "banana", "blueberry", "cherry", "Bean"});
    // Letters typed in quick succession make one search; the same letter again steps on.
    QTest::keyClicks(&list, "b");
    EXPECT_EQ(list.currentRow(), 1);
    QTest::keyClicks(&list, "bb");
    EXPECT_EQ(list.currentRow(), 4) << "case does not matter";
    QTest::keyClicks(&list, "b");
    EXPECT_EQ(list.currentRow(), 1) << "the search wraps";
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    QTest::keyClicks(&list, "bl");
    EXPECT_EQ(list.currentRow(), 2);
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    QTest::keyClicks(&list, "x");
    EXPECT_EQ(list.currentRow(), 2) << "no row starts with x";
    EXPECT_EQ(list.chosen, (std::vector<int>{1, 2, 4, 1, 2}));
}

TEST(ListBoxWidget, KeysTheListHasNoUseForTravelOn) {
    Rows list({"apple"});
    for (const auto& [key, text, modifiers] :
         {std::tuple{Qt::Key_Return, QStringLiteral("\r"), Qt::NoModifier},
          std::tuple{Qt::Key_Escape, QStringLiteral("\x1b"), Qt::NoModifier},
          std::tuple{Qt::Key_A, QStringLiteral("a"), Qt::ControlModifier},
          std::tuple{Qt::Key_A, QStringLiteral("a"), Qt::AltModifier}}) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(&list, &press);
        EXPECT_FALSE(press.isAccepted()) << text.toStdString();
    }
    EXPECT_EQ(list.currentRow(), -1);
}

TEST(ListBoxWidget, ClicksAndDragsChooseRowsAndADoubleClickIsReported) {
    Rows list({"one", "two", "three", "four"});
    QWidget& area = *list.viewport();
    QTest::mouseClick(&area, Qt::LeftButton, {}, list.rowRect(2).center());
    QTest::mouseClick(&area, Qt::LeftButton, {}, list.rowRect(2).center());
    QTest::mouseClick(&area, Qt::RightButton, {}, list.rowRect(0).center());
    QTest::mouseClick(&area, Qt::LeftButton, {}, list.rowRect(3).bottomLeft() + QPoint(2, 8));
    EXPECT_EQ(list.chosen, std::vector<int>{2}) << "the same row, a right click, below the rows";

    QTest::mousePress(&area, Qt::LeftButton, {}, list.rowRect(0).center());
    QTest::mouseMove(&area, list.rowRect(1).center());
    QTest::mouseRelease(&area, Qt::LeftButton, {}, list.rowRect(1).center());
    EXPECT_EQ(list.chosen, (std::vector<int>{2, 0, 1}));

    // A double-click is a click and then a double-click event on the same row; one whose first
    // click chose another row is a click.
    QTest::mouseClick(&area, Qt::LeftButton, {}, list.rowRect(0).center());
    QTest::mouseDClick(&area, Qt::LeftButton, {}, list.rowRect(3).center());
    EXPECT_EQ(list.doubleClicks, 0);
    QTest::mouseDClick(&area, Qt::LeftButton, {}, list.rowRect(3).center());
    EXPECT_EQ(list.doubleClicks, 1);
    EXPECT_EQ(list.chosen, (std::vector<int>{2, 0, 1, 0, 3}));
}

TEST(ListBoxWidget, DraggingPastAnEdgeScrollsOnARowAtATime) {
    Rows list(numbered(40));
    QWidget& area = *list.viewport();
    const int shown = list.visibleRows();
    QTest::mousePress(&area, Qt::LeftButton, {}, list.rowRect(0).center());
    const QPoint below(10, area.height() + 5);
    QTest::mouseMove(&area, below);
    QTest::mouseMove(&area, below + QPoint(0, 1));
    EXPECT_EQ(list.currentRow(), shown + 1);
    EXPECT_TRUE(list.inView(shown + 1));
    QTest::mouseMove(&area, QPoint(10, -5));
    EXPECT_EQ(list.currentRow(), 1) << "the row above the first one shown";
    QTest::mouseRelease(&area, Qt::LeftButton, {}, QPoint(10, -5));
    // A press that chose no row (below the last one) drags nothing.
    Rows shortList({"one", "two"});
    QWidget& shortArea = *shortList.viewport();
    QTest::mousePress(&shortArea, Qt::LeftButton, {}, QPoint(10, shortArea.height() - 2));
    QTest::mouseMove(&shortArea, QPoint(10, -5));
    EXPECT_EQ(shortList.currentRow(), -1);
    QTest::mouseRelease(&shortArea, Qt::LeftButton, {}, QPoint(10, -5));
}

TEST(ListBoxWidget, FocusAloneChoosesNothing) {
    Rows list({"one", "two"});
    list.activateWindow();
    list.setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_TRUE(list.chosen.empty());
    EXPECT_EQ(list.currentRow(), -1);
}

TEST(ListBoxWidget, AHiddenListShowsItsSelectedRowOnceShown) {
    Rows list(numbered(200));
    list.hide();
    list.setCurrentRow(150);
    list.show();
    EXPECT_TRUE(list.inView(150));
    // The scroll range ends with the last row whole.
    list.setCurrentRow(199);
    EXPECT_TRUE(list.inView(199));
    EXPECT_EQ(list.verticalScrollBar()->value(), list.verticalScrollBar()->maximum());
}

TEST(ListBoxWidget, ARowThatIsGoneIsNoLongerSelected) {
    Rows list({"one", "two", "three"});
    list.setCurrentRow(2);
    list.remove(2);
    EXPECT_EQ(list.currentRow(), -1);
    EXPECT_EQ(list.rowAt(list.rowRect(2).center()), -1);
    EXPECT_EQ(list.rowAt(list.rowRect(1).center()), 1);
}

TEST(ListBoxWidget, AssistiveToolsSeeAListOfRowsWithTheChosenOneSelected) {
    Rows list({"one", "two", "three"});
    QAccessibleInterface* const tool = QAccessible::queryAccessibleInterface(&list);
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->role(), QAccessible::List);
    ASSERT_EQ(tool->childCount(), 3);
    QAccessibleInterface* const second = tool->child(1);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->role(), QAccessible::ListItem);
    EXPECT_EQ(second->text(QAccessible::Name), "two");
    EXPECT_EQ(tool->indexOfChild(second), 1);
    EXPECT_EQ(second->parent(), tool);
    EXPECT_EQ(tool->child(1), second) << "one item per row";
    const QPoint third = list.viewport()->mapToGlobal(list.rowRect(2).center());
    EXPECT_EQ(tool->childAt(third.x(), third.y()), tool->child(2));

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.rowRect(1).center());
    EXPECT_TRUE(second->state().selected);
    EXPECT_FALSE(tool->child(0)->state().selected);

    // A row that is gone is no longer spoken for.
    list.remove(2);
    list.remove(1);
    EXPECT_FALSE(second->isValid());
    EXPECT_EQ(tool->childCount(), 1);
}

}  // namespace
