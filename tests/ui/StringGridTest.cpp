#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QtTest/QTest>

#include "tests/support/TestSupport.h"
#include "ui/Controls.h"

namespace {

class StringGridTest : public testing_support::SeamsFixture {
 protected:
  // A grid as the windows configure theirs: no fixed rows or columns.
  void Configure(int cols, int rows, int rowHeight, const QString& widths, QSize size) {
    grid.setColCount(cols);
    grid.setRowCount(rows);
    grid.setFixedRows(0);
    grid.setFixedCols(0);
    grid.setDefaultRowHeight(rowHeight);
    grid.setColWidths(widths);
    grid.resize(size);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    QApplication::processEvents();
  }
  ui::TStringGrid grid;
};

const QString kSheetWidths = "55,55,63,72", kCheckoutWidths = "46,109,7,48,113,7,49,114,8,44,95";

TEST_F(StringGridTest, CellsAreStoredPastTheRowAndColumnCounts) {
  Configure(4, 100, 24, kSheetWidths, {300, 200});
  const std::tuple<int, int, const char*, QString> cases[] = {{0, 0, "501", "501"}, {1, 105, "T20 D20", "T20 D20"},
      {12, 3, "right", "right"}, {5, 2000000000, "far", "far"}, {-1, -1, "ignored", ""}, {2, 105, "", ""}};
  for (const auto& [col, row, text, read] : cases) grid.SetCell(col, row, text);
  for (const auto& [col, row, text, read] : cases) EXPECT_EQ(grid.Cells(col, row), read) << col << "," << row;
  grid.SetCell(1, 105, "");
  EXPECT_EQ(grid.Cell(1, 105), "");
}

TEST_F(StringGridTest, ScrollBarsOnlyWhenTheCellsDoNotFitAndTheStyleAllowsThem) {
  using G = ui::TStringGrid;
  const struct { const char* name; int cols, rows, rowHeight; QString widths; QSize size; G::TScrollStyle style;
                 bool vertical, horizontal; } cases[] = {
               {"checkout table fits exactly", 11, 30, 15, kCheckoutWidths, {680, 484}, G::ssBoth, false, false},
               {"one row more", 11, 31, 15, kCheckoutWidths, {680, 484}, G::ssBoth, true, false},
               {"one pixel less", 11, 30, 15, kCheckoutWidths, {680, 483}, G::ssBoth, true, false},
               {"too narrow", 4, 3, 24, kSheetWidths, {150, 200}, G::ssBoth, false, true},
               {"both", 4, 100, 24, kSheetWidths, {150, 200}, G::ssBoth, true, true},
               {"vertical only", 4, 100, 24, kSheetWidths, {150, 200}, G::ssVertical, true, false},
               {"horizontal only", 4, 100, 24, kSheetWidths, {150, 200}, G::ssHorizontal, false, true},
               {"none", 4, 100, 24, kSheetWidths, {150, 200}, G::ssNone, false, false}};
  for (const auto& c : cases) {
    grid.setScrollBars(c.style);
    Configure(c.cols, c.rows, c.rowHeight, c.widths, c.size);
    EXPECT_EQ(grid.verticalScrollBar()->isVisible(), c.vertical) << c.name;
    EXPECT_EQ(grid.horizontalScrollBar()->isVisible(), c.horizontal) << c.name;
    // With or without a bar, the last row can still be brought into view.
    grid.SetRow(c.rows - 1);
    EXPECT_TRUE(grid.viewport()->rect().intersects(grid.CellRect(0, c.rows - 1))) << c.name;
    grid.hide();
  }
}

TEST_F(StringGridTest, RowSelectionByKeysAndMouseKeepsTheRowInView) {
  grid.setRowSelect(true);
  Configure(4, 100, 24, kSheetWidths, {290, 260});  // ten rows in view
  const struct { Qt::Key key; int row; } steps[] = {{Qt::Key_Down, 1}, {Qt::Key_Down, 2},    {Qt::Key_Up, 1},   {Qt::Key_Up, 0},       {Qt::Key_Up, 0},
               {Qt::Key_End, 99}, {Qt::Key_PageUp, 89}, {Qt::Key_Home, 0}, {Qt::Key_PageDown, 10}};
  for (const auto& s : steps) {
    QTest::keyClick(&grid, s.key);
    EXPECT_EQ(grid.Row(), s.row) << "after key " << s.key;
    EXPECT_TRUE(grid.viewport()->rect().contains(grid.CellRect(0, s.row))) << "row " << s.row << " in view";
  }
  QTest::keyClick(&grid, Qt::Key_Home);
  EXPECT_FALSE(grid.viewport()->rect().contains(grid.CellRect(0, 99)));
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, grid.CellRect(2, 3).center());
  EXPECT_EQ(grid.Row(), 3);
}

}  // namespace
