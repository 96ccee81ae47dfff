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
    if (!widths.isEmpty()) grid.setColWidths(widths);
    grid.resize(size);
  }
  void ShowAndSettle() {
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    QApplication::processEvents();
  }

  ui::TStringGrid grid;
};

const QString kKalvernWidths = "46,109,7,48,113,7,49,114,8,44,95";

TEST_F(StringGridTest, CellsAreStoredPastTheRowAndColumnCounts) {
  Configure(4, 100, 24, "55,55,63,72", {300, 200});
  const struct {
    int col, row;
    const char* text;
  } cases[] = {{0, 0, "501"},  {3, 99, "35.79"},     {1, 105, " T20 T20 D20"},
               {0, 109, "61"}, {12, 3, "far right"}, {5, 2000000000, "far down"}};
  for (const auto& c : cases) grid.SetCell(c.col, c.row, c.text);
  for (const auto& c : cases) {
    EXPECT_EQ(grid.Cell(c.col, c.row), QString(c.text)) << c.col << "," << c.row;
    EXPECT_EQ(grid.Cells(c.col, c.row), QString(c.text));
  }
  for (const auto& [col, row] : {std::pair{2, 105}, {0, 500}, {40, 0}, {-1, 0}}) EXPECT_EQ(grid.Cell(col, row), "");
  grid.SetCell(-1, -1, "ignored");
  EXPECT_EQ(grid.Cell(-1, -1), "");
  // Overwriting and emptying.
  grid.SetCell(1, 105, "");
  EXPECT_EQ(grid.Cell(1, 105), "");
}

TEST_F(StringGridTest, ColumnWidthsAreReadFromText) {
  grid.setDefaultColWidth(64);
  const struct {
    const char* text;
    int cols;
    std::vector<int> widths;
  } cases[] = {
      {"55,55,63,72", 4, {55, 55, 63, 72}},
      {" 46, 109 ,7", 3, {46, 109, 7}},
      {"", 3, {64, 64, 64}},
      {"30", 3, {30, 64, 64}},
      {"x,20", 2, {64, 20}},
      {"-5,20", 2, {64, 20}},
  };
  for (const auto& c : cases) {
    grid.setColCount(c.cols);
    grid.setColWidths(c.text);
    for (int i = 0; i < c.cols; ++i) EXPECT_EQ(grid.ColWidth(i), c.widths[i]) << c.text << " column " << i;
  }
}

TEST_F(StringGridTest, ScrollBarsOnlyWhenTheCellsDoNotFit) {
  const struct {
    const char* name;
    int cols, rows, rowHeight;
    QString widths;
    QSize size;
    bool vertical, horizontal;
  } cases[] = {
      {"checkout table fits exactly", 11, 30, 15, kKalvernWidths, {680, 484}, false, false},
      {"one row more", 11, 31, 15, kKalvernWidths, {680, 484}, true, false},
      {"one pixel less", 11, 30, 15, kKalvernWidths, {680, 483}, true, false},
      {"visit sheet", 4, 100, 24, "55,55,63,72", {290, 400}, true, false},
      {"too narrow", 4, 3, 24, "55,55,63,72", {150, 200}, false, true},
      {"both", 4, 100, 24, "55,55,63,72", {150, 200}, true, true},
  };
  for (const auto& c : cases) {
    Configure(c.cols, c.rows, c.rowHeight, c.widths, c.size);
    ShowAndSettle();
    EXPECT_EQ(grid.verticalScrollBar()->isVisible(), c.vertical) << c.name;
    EXPECT_EQ(grid.horizontalScrollBar()->isVisible(), c.horizontal) << c.name;
    grid.hide();
  }
}

TEST_F(StringGridTest, DefaultDrawingPaintsFixedCellsLinesAndTheSelectedRow) {
  grid.setColCount(3);
  grid.setRowCount(5);
  grid.setFixedRows(1);
  grid.setFixedCols(0);
  grid.setDefaultRowHeight(20);
  grid.setColWidths("40,40,40");
  grid.setRowSelect(true);
  grid.resize(200, 200);
  grid.SetRow(2);
  ShowAndSettle();
  const QRect fixedCell = grid.CellRect(0, 0);
  const QRect plain = grid.CellRect(1, 3);
  const QRect selected = grid.CellRect(1, 2);
  const QImage img = grid.viewport()->grab().toImage();
  EXPECT_EQ(img.pixelColor(fixedCell.center() + QPoint(15, 0)), ui::ToQColor(0xF0F0F0));
  EXPECT_EQ(img.pixelColor(plain.center()), QColor(Qt::white));
  EXPECT_EQ(img.pixelColor(selected.center() + QPoint(15, 0)), grid.palette().color(QPalette::Highlight));
  // A one-pixel line right of and below each cell.
  const QColor line = img.pixelColor(plain.right() + 1, plain.center().y());
  EXPECT_NE(line, QColor(Qt::white));
  EXPECT_EQ(img.pixelColor(plain.center().x(), plain.bottom() + 1), line);

  grid.setGridLineWidth(0);
  const QRect joined = grid.CellRect(1, 3);
  const QImage noLines = grid.viewport()->grab().toImage();
  EXPECT_EQ(noLines.pixelColor(joined.right(), joined.center().y()), QColor(Qt::white));
  EXPECT_EQ(noLines.pixelColor(joined.right() + 1, joined.center().y()), QColor(Qt::white));
}

TEST_F(StringGridTest, RowSelectionByKeysAndMouse) {
  Configure(4, 100, 24, "55,55,63,72", {290, 260});  // ten rows in view
  grid.setRowSelect(true);
  ShowAndSettle();
  std::vector<int> selected;
  QObject::connect(&grid, &ui::TStringGrid::SelectCell, [&](int, int row) { selected.push_back(row); });
  const struct {
    Qt::Key key;
    int row;
  } steps[] = {{Qt::Key_Down, 1}, {Qt::Key_Down, 2}, {Qt::Key_Up, 1},   {Qt::Key_Up, 0},
               {Qt::Key_Up, 0},   {Qt::Key_End, 99}, {Qt::Key_Home, 0}, {Qt::Key_PageDown, 10}};
  for (const auto& s : steps) {
    QTest::keyClick(&grid, s.key);
    EXPECT_EQ(grid.Row(), s.row) << "after key " << s.key;
  }
  EXPECT_EQ(selected, (std::vector<int>{1, 2, 1, 0, 99, 0, 10}));

  // The selected row is scrolled into view.
  QTest::keyClick(&grid, Qt::Key_End);
  EXPECT_GT(grid.TopRow(), 80);
  EXPECT_FALSE(grid.CellRect(0, 99).isEmpty());
  QTest::keyClick(&grid, Qt::Key_Home);
  EXPECT_EQ(grid.TopRow(), 0);

  const QRect target = grid.CellRect(2, 3);
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, target.center());
  EXPECT_EQ(grid.Row(), 3);
}

}  // namespace
