// The few controls whose behaviour Qt lacks: the masked score field, the string
// grid whose cells exist beyond its row count, and a paint box whose canvas keeps
// what is drawn. Colours are the class library's values (0x00BBGGRR).
#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QWidget>
#include <functional>
#include <vector>

namespace ui {

using TColor = unsigned int;
QColor ToQColor(TColor c);

// Drawing surface of a grid cell or a paint box.
class TCanvas {
 public:
  struct Brush {
    TColor Color = 0xFFFFFF;
  } brush;
  struct Pen {
    TColor Color = 0;
    int Width = 1;
  } pen;
  struct Font {
    QString Name = QStringLiteral("Arial");
    int Size = 8;    // points
    int Height = 0;  // pixels; used when not 0
    bool Bold = false;
    bool Italic = false;
    TColor Color = 0;
  } font;

  explicit TCanvas(QPainter* p = nullptr) : painter_(p) {}
  void SetPainter(QPainter* p) { painter_ = p; }
  QPainter* Painter() const { return painter_; }

  void FillRect(const QRect& r);
  void TextOut(int x, int y, const QString& text);
  // Text clipped to rect, drawn with its top-left at (x, y), on the brush.
  void TextRect(const QRect& rect, int x, int y, const QString& text);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Rectangle(const QRect& r);
  void Ellipse(const QRect& r);
  int TextWidth(const QString& text) const;
  int TextHeight(const QString& text) const;
  QFont QtFont() const;

  // Only where the canvas draws on an image (paint box).
  enum FillStyle { fsSurface, fsBorder };
  void FloodFill(int x, int y, TColor color, FillStyle style);
  void SetImage(QImage* img) { image_ = img; }
  // Called after each drawing operation on the image (the paint box repaints).
  void SetOnChange(std::function<void()> f) { onChange_ = std::move(f); }
  QPoint PenPos() const { return penPos_; }

 private:
  // Runs a drawing operation on the painter in use or, without one, on a painter
  // opened on the image for this operation only.
  void Draw(const std::function<void(QPainter&)>& op);
  void Prepare(QPainter& p) const;
  QPainter* painter_ = nullptr;
  QImage* image_ = nullptr;
  QPoint penPos_;
  std::function<void()> onChange_;
};

// The score field with edit mask "!999;1;_": three positions, each a digit or a
// blank. Its text is always three characters; a typed digit fills the position
// at the caret and moves it on; blanks show as "_".
class TMaskEdit : public QLineEdit {
  Q_OBJECT
  Q_PROPERTY(QString Text READ Text WRITE SetText)
 public:
  explicit TMaskEdit(QWidget* parent = nullptr);
  QString Text() const { return text_; }
  void SetText(const QString& t);  // shorter texts are padded with blanks
  void Clear() { SetText(QString()); }
  int Length() const { return static_cast<int>(kLength); }

 signals:
  // A character key pressed in the field (13 for Enter), before it is applied.
  void KeyPress(int key);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;

 private:
  static constexpr int kLength = 3;
  void Refresh(int caret);
  // Puts characters (digits or blanks) in from the caret on, over any selection.
  void Put(const QString& chars);
  void BlankSelection(int& caret);
  void SyncFromShown(const QString& shown);
  QString text_ = QString(kLength, QChar(' '));
  bool refreshing_ = false;
};

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
 public:
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
  void SetColWidth(int col, int w);
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

  int Row() const { return row_; }
  void SetRow(int r);
  int TopRow() const { return topRow_; }
  // The cell's rectangle in the grid's viewport coordinates.
  QRect CellRect(int col, int row) const;
  TCanvas& Canvas() { return canvas_; }
  // Repaints the grid (the class library's Repaint/Refresh).
  void Repaint();

  // Owner drawing: called for each painted cell after the default drawing (if
  // any), with the canvas set on the grid's painter. The handler may draw
  // anywhere on the grid.
  std::function<void(int col, int row, const QRect& rect)> OnDrawCell;

 signals:
  void SelectCell(int col, int row);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
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
  TCanvas canvas_;
};

// Paint box: a canvas that keeps what is drawn on it (pen, brush, font, MoveTo,
// LineTo, TextOut, FloodFill) and shows it.
class TPaintBox : public QWidget {
  Q_OBJECT
 public:
  explicit TPaintBox(QWidget* parent = nullptr);
  TCanvas& Canvas();
  const QImage& Image() const;
  void Clear(TColor color = 0xFFFFFF);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  // The image follows the widget's size (also before the widget is first shown).
  void SyncSize();
  QImage image_;
  TCanvas canvas_;
};

}  // namespace ui
