#pragma once

#include <QAbstractScrollArea>
#include <QHash>
#include <QString>
#include <functional>
#include <vector>
#include "ui/Canvas.h"

namespace ui {

// String grid: cells are stored and read at any row and column, also past the
// row and column counts; only RowCount x ColCount are shown.
class TStringGrid : public QAbstractScrollArea {
  Q_OBJECT
  Q_PROPERTY(int ColCount READ ColCount WRITE setColCount)
  Q_PROPERTY(int RowCount READ RowCount WRITE setRowCount)
  Q_PROPERTY(int FixedRows READ FixedRows WRITE setFixedRows)
  Q_PROPERTY(int FixedCols READ FixedCols WRITE setFixedCols)
  Q_PROPERTY(int DefaultRowHeight READ DefaultRowHeight WRITE setDefaultRowHeight)
  Q_PROPERTY(int DefaultColWidth READ DefaultColWidth WRITE setDefaultColWidth)
  Q_PROPERTY(QString ColWidths READ ColWidthsText WRITE setColWidths)
  Q_PROPERTY(bool RowSelect READ RowSelect WRITE setRowSelect)
  Q_PROPERTY(bool DefaultDrawing READ DefaultDrawing WRITE setDefaultDrawing)
  Q_PROPERTY(bool GridLines READ GridLines WRITE setGridLines)
  Q_PROPERTY(int GridLineWidth READ GridLineWidth WRITE setGridLineWidth)
  Q_PROPERTY(TScrollStyle ScrollBars READ ScrollBars WRITE setScrollBars)
 public:
  // Which scroll bars the grid may show (each only when the cells do not fit).
  // Without a bar the grid still scrolls by keys and SetRow.
  enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
  Q_ENUM(TScrollStyle)

  explicit TStringGrid(QWidget* parent = nullptr);

  QString Cell(int col, int row) const;
  void SetCell(int col, int row, const QString& text);
  // The class library's Cells[col][row].
  QString Cells(int col, int row) const { return Cell(col, row); }

  int ColCount() const { return colCount_; }
  void setColCount(int n);
  int RowCount() const { return rowCount_; }
  void setRowCount(int n);
  int FixedRows() const { return fixedRows_; }
  void setFixedRows(int n);
  int FixedCols() const { return fixedCols_; }
  void setFixedCols(int n);
  int DefaultRowHeight() const { return rowHeight_; }
  void setDefaultRowHeight(int h);
  int DefaultColWidth() const { return defaultColWidth_; }
  void setDefaultColWidth(int w);
  int ColWidth(int col) const;
  QString ColWidthsText() const;
  void setColWidths(const QString& commaSeparated);  // "55,55,63,72"
  bool RowSelect() const { return rowSelect_; }
  void setRowSelect(bool on);
  bool DefaultDrawing() const { return defaultDrawing_; }
  void setDefaultDrawing(bool on);
  bool GridLines() const { return gridLines_; }
  void setGridLines(bool on);
  int GridLineWidth() const { return gridLineWidth_; }
  void setGridLineWidth(int w);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void setScrollBars(TScrollStyle style);

  int Row() const { return row_; }
  void SetRow(int r);
  int TopRow() const { return topRow_; }
  // Scrolls the least that brings the row into view (a fixed row: to the top);
  // the current row stays.
  void ScrollInView(int row);
  // The cell's rectangle in the grid's viewport coordinates.
  QRect CellRect(int col, int row) const;
  TCanvas& Canvas() { return canvas_; }
  // Repaints the grid (the class library's Repaint/Refresh).
  void Repaint();

  // Owner drawing: called for each painted cell after the default drawing (if
  // any), with the canvas set on the grid's painter. The handler may draw
  // anywhere on the grid.
  std::function<void(int col, int row, const QRect& rect)> OnDrawCell;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  // The room for cells inside the frame and which scroll bars it needs.
  struct Fit {
    bool vertical = false, horizontal = false;
    int width = 0, height = 0, rows = 0, totalWidth = 0;
  };
  Fit Measure() const;
  void UpdateScrollBars();
  int RowsThatFit() const;
  int RowTop(int row) const;  // -1 when the row is scrolled out
  int ColLeft(int col) const;
  int TotalWidth() const;
  int RowAt(int y) const;
  int ColAt(int x) const;
  void ScrollToRow(int r);
  // Only written, non-empty cells are kept, so that a far row or column costs
  // nothing; key: row in the high half, column in the low half.
  static quint64 Key(int col, int row) { return (quint64(quint32(row)) << 32) | quint32(col); }
  QHash<quint64, QString> cells_;
  std::vector<int> colWidths_;
  int colCount_ = 5, rowCount_ = 5, fixedRows_ = 1, fixedCols_ = 1;
  int rowHeight_ = 24, defaultColWidth_ = 64, gridLineWidth_ = 1;
  bool rowSelect_ = false, defaultDrawing_ = true, gridLines_ = true;
  int row_ = 0, col_ = 0, topRow_ = 0;
  TScrollStyle scrollBars_ = ssBoth;
  TCanvas canvas_;
};

}  // namespace ui
