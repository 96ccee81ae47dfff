#include "ui/StringGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>

namespace ui {

namespace {

constexpr TColor kButtonFace = 0xF0F0F0;
constexpr TColor kWindow = 0xFFFFFF;
constexpr TColor kGridLine = 0xC0C0C0;
constexpr TColor kFixedLine = 0x808080;

}  // namespace

TStringGrid::TStringGrid(QWidget* parent) : QAbstractScrollArea(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(2);
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  viewport()->setAutoFillBackground(true);
  QPalette pal = viewport()->palette();
  pal.setColor(QPalette::Window, Qt::white);
  pal.setColor(QPalette::Base, Qt::white);
  viewport()->setPalette(pal);
  topRow_ = fixedRows_;
  row_ = fixedRows_;
  col_ = fixedCols_;
  UpdateScrollBars();
}

QString TStringGrid::Cell(int col, int row) const {
  if (row < 0 || col < 0) return QString();
  return cells_.value(Key(col, row));
}

void TStringGrid::SetCell(int col, int row, const QString& text) {
  if (row < 0 || col < 0) return;
  if (Cell(col, row) == text) return;
  if (text.isEmpty()) {
    cells_.remove(Key(col, row));
  } else {
    cells_.insert(Key(col, row), text);
  }
  if (row < rowCount_ && col < colCount_) {
    const QRect rect = CellRect(col, row);
    if (!rect.isEmpty() && rect.intersects(viewport()->rect())) viewport()->update(rect);
  }
}

void TStringGrid::setColCount(int n) {
  colCount_ = std::max(0, n);
  if (fixedCols_ > colCount_) fixedCols_ = colCount_;
  col_ = std::clamp(col_, fixedCols_, std::max(fixedCols_, colCount_ - 1));
  UpdateScrollBars();
  viewport()->update();
}

void TStringGrid::setRowCount(int n) {
  rowCount_ = std::max(0, n);
  if (fixedRows_ > rowCount_) fixedRows_ = rowCount_;
  row_ = std::clamp(row_, fixedRows_, std::max(fixedRows_, rowCount_ - 1));
  UpdateScrollBars();
  viewport()->update();
}

void TStringGrid::setFixedRows(int n) {
  // Like a new grid: the first scrollable row on top and current.
  fixedRows_ = std::clamp(n, 0, rowCount_);
  row_ = fixedRows_;
  verticalScrollBar()->setValue(0);
  topRow_ = fixedRows_;
  UpdateScrollBars();
  viewport()->update();
}

void TStringGrid::setFixedCols(int n) {
  fixedCols_ = std::clamp(n, 0, colCount_);
  col_ = fixedCols_;
  UpdateScrollBars();
  viewport()->update();
}

void TStringGrid::setDefaultRowHeight(int h) {
  rowHeight_ = std::max(1, h);
  UpdateScrollBars();
  viewport()->update();
}

void TStringGrid::setDefaultColWidth(int w) {
  defaultColWidth_ = std::max(0, w);
  colWidths_.clear();
  UpdateScrollBars();
  viewport()->update();
}

int TStringGrid::ColWidth(int col) const {
  if (col >= 0 && static_cast<size_t>(col) < colWidths_.size()) return colWidths_[static_cast<size_t>(col)];
  return defaultColWidth_;
}

QString TStringGrid::ColWidthsText() const {
  QStringList parts;
  for (int c = 0; c < colCount_; ++c) parts << QString::number(ColWidth(c));
  return parts.join(QChar(','));
}

void TStringGrid::setColWidths(const QString& commaSeparated) {
  colWidths_.clear();
  const QStringList parts = commaSeparated.split(QChar(','), Qt::SkipEmptyParts);
  for (const QString& part : parts) {
    bool ok = false;
    const int w = part.trimmed().toInt(&ok);
    colWidths_.push_back(ok && w >= 0 ? w : defaultColWidth_);
  }
  UpdateScrollBars();
  viewport()->update();
}

void TStringGrid::setRowSelect(bool on) {
  rowSelect_ = on;
  viewport()->update();
}

void TStringGrid::setDefaultDrawing(bool on) {
  defaultDrawing_ = on;
  viewport()->update();
}

void TStringGrid::setGridLines(bool on) {
  gridLines_ = on;
  UpdateScrollBars();
  viewport()->update();
}

void TStringGrid::setGridLineWidth(int w) {
  gridLineWidth_ = std::max(0, w);
  UpdateScrollBars();
  viewport()->update();
}

void TStringGrid::SetRow(int r) {
  if (rowCount_ <= fixedRows_) return;
  r = std::clamp(r, fixedRows_, rowCount_ - 1);
  if (r == row_) return;
  row_ = r;
  ScrollToRow(r);
  viewport()->update();
}

void TStringGrid::ScrollInView(int row) { ScrollToRow(std::clamp(row, 0, std::max(0, rowCount_ - 1))); }

void TStringGrid::ScrollToRow(int r) {
  const int fit = std::max(1, RowsThatFit());
  int top = topRow_;
  if (r < top) top = r;
  if (r >= top + fit) top = r - fit + 1;
  top = std::max(top, fixedRows_);
  if (top != topRow_) verticalScrollBar()->setValue(top - fixedRows_);
}

int TStringGrid::RowsThatFit() const { return Measure().rows; }

int TStringGrid::RowTop(int row) const {
  const int step = rowHeight_ + (gridLines_ ? gridLineWidth_ : 0);
  if (row < fixedRows_) return row * step;
  if (row < topRow_) return -1;
  return fixedRows_ * step + (row - topRow_) * step;
}

int TStringGrid::ColLeft(int col) const {
  const int line = gridLines_ ? gridLineWidth_ : 0;
  int x = 0;
  for (int c = 0; c < col; ++c) x += ColWidth(c) + line;
  if (col >= fixedCols_) x -= horizontalScrollBar()->value();
  return x;
}

int TStringGrid::TotalWidth() const {
  const int line = gridLines_ ? gridLineWidth_ : 0;
  int x = 0;
  for (int c = 0; c < colCount_; ++c) x += ColWidth(c) + line;
  return x;
}

QRect TStringGrid::CellRect(int col, int row) const {
  if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return QRect();
  const int top = RowTop(row);
  if (top < 0) return QRect();
  return QRect(ColLeft(col), top, ColWidth(col), rowHeight_);
}

int TStringGrid::RowAt(int y) const {
  const int step = rowHeight_ + (gridLines_ ? gridLineWidth_ : 0);
  if (y < 0) return -1;
  int r = y / step;
  if (r >= fixedRows_) r = topRow_ + (r - fixedRows_);
  return r < rowCount_ ? r : -1;
}

int TStringGrid::ColAt(int x) const {
  // Fixed columns stay put; scrolled columns only show right of them.
  const int line = gridLines_ ? gridLineWidth_ : 0;
  int fixedWidth = 0;
  for (int c = 0; c < fixedCols_; ++c) {
    const int w = ColWidth(c) + line;
    if (x >= fixedWidth && x < fixedWidth + w) return c;
    fixedWidth += w;
  }
  if (x < fixedWidth) return -1;
  for (int c = fixedCols_; c < colCount_; ++c) {
    const int left = ColLeft(c);
    if (x >= left && x < left + ColWidth(c) + line) return c;
  }
  return -1;
}

TStringGrid::Fit TStringGrid::Measure() const {
  const int line = gridLines_ ? gridLineWidth_ : 0;
  // Whether the cells fit is judged on the area inside the frame without scroll
  // bars, so that a grid that just fits shows none.
  const int frame = 2 * frameWidth();
  const int fullH = height() - frame, fullW = width() - frame;
  const int totalH = rowCount_ * (rowHeight_ + line);
  const int totalW = TotalWidth();
  const int barW = verticalScrollBar()->sizeHint().width();
  const int barH = horizontalScrollBar()->sizeHint().height();
  const bool mayVertical = scrollBars_ == ssVertical || scrollBars_ == ssBoth;
  const bool mayHorizontal = scrollBars_ == ssHorizontal || scrollBars_ == ssBoth;
  Fit f;
  f.vertical = mayVertical && totalH > fullH;
  f.horizontal = mayHorizontal && totalW > fullW - (f.vertical ? barW : 0);
  if (f.horizontal && !f.vertical) f.vertical = mayVertical && totalH > fullH - barH;
  f.height = fullH - (f.horizontal ? barH : 0);
  f.width = fullW - (f.vertical ? barW : 0);
  f.rows = std::max(0, (f.height - fixedRows_ * (rowHeight_ + line)) / (rowHeight_ + line));
  f.totalWidth = totalW;
  return f;
}

void TStringGrid::UpdateScrollBars() {
  const Fit f = Measure();
  const int scrollable = std::max(0, rowCount_ - fixedRows_);
  const int fitRows = std::max(1, f.rows);
  // The ranges follow what does not fit, whether or not a bar is shown.
  const int vmax = std::max(0, scrollable - fitRows);
  verticalScrollBar()->setRange(0, vmax);
  verticalScrollBar()->setPageStep(fitRows);
  verticalScrollBar()->setSingleStep(1);
  setVerticalScrollBarPolicy(f.vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  const int hmax = std::max(0, f.totalWidth - f.width);
  horizontalScrollBar()->setRange(0, hmax);
  horizontalScrollBar()->setPageStep(std::max(1, f.width));
  horizontalScrollBar()->setSingleStep(std::max(1, defaultColWidth_));
  setHorizontalScrollBarPolicy(f.horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  topRow_ = fixedRows_ + verticalScrollBar()->value();
}

void TStringGrid::setScrollBars(TScrollStyle style) {
  scrollBars_ = style;
  UpdateScrollBars();
}

void TStringGrid::Repaint() { viewport()->update(); }

void TStringGrid::paintEvent(QPaintEvent* e) {
  QPainter p(viewport());
  p.setFont(font());
  canvas_.SetPainter(&p);
  const QRect area = e->rect();
  const int line = gridLines_ ? gridLineWidth_ : 0;
  const QColor highlight = palette().color(QPalette::Highlight);
  const QColor highlightText = palette().color(QPalette::HighlightedText);
  auto toTColor = [](const QColor& c) { return static_cast<TColor>(c.red() | (c.green() << 8) | (c.blue() << 16)); };

  std::vector<int> rows;
  for (int r = 0; r < rowCount_; ++r) {
    const int top = RowTop(r);
    if (top < 0) continue;
    if (top > area.bottom()) {
      if (r >= fixedRows_) break;
      continue;
    }
    if (top + rowHeight_ + line <= area.top()) continue;
    rows.push_back(r);
  }
  // Scrolled columns first, fixed ones last, so that fixed columns cover what
  // scrolled under them.
  std::vector<int> cols;
  for (int c = fixedCols_; c < colCount_; ++c) {
    const int left = ColLeft(c);
    if (left > area.right() || left + ColWidth(c) + line <= area.left()) continue;
    cols.push_back(c);
  }
  for (int c = 0; c < fixedCols_; ++c) {
    const int left = ColLeft(c);
    if (left > area.right() || left + ColWidth(c) + line <= area.left()) continue;
    cols.push_back(c);
  }

  // Grid lines right and below each cell.
  if (line > 0) {
    for (int r : rows) {
      for (int c : cols) {
        const QRect cell = CellRect(c, r);
        const bool fixed = r < fixedRows_ || c < fixedCols_;
        const QColor lc = ToQColor(fixed ? kFixedLine : kGridLine);
        p.fillRect(QRect(cell.right() + 1, cell.top(), line, cell.height() + line), lc);
        p.fillRect(QRect(cell.left(), cell.bottom() + 1, cell.width() + line, line), lc);
      }
    }
  }

  for (int r : rows) {
    for (int c : cols) {
      const QRect cell = CellRect(c, r);
      const bool fixed = r < fixedRows_ || c < fixedCols_;
      const bool selected = !fixed && r == row_ && (rowSelect_ || (c == col_ && !hasFocus()));
      canvas_.brush.Color = fixed ? kButtonFace : selected ? toTColor(highlight) : kWindow;
      canvas_.font.Color = selected ? toTColor(highlightText) : 0;
      canvas_.font.Name = font().family();
      canvas_.font.Height = font().pixelSize() > 0 ? font().pixelSize() : 0;
      canvas_.font.Size = font().pointSize() > 0 ? font().pointSize() : 8;
      canvas_.font.Bold = font().bold();
      canvas_.font.Italic = font().italic();
      if (defaultDrawing_) canvas_.TextRect(cell, cell.left() + 2, cell.top() + 2, Cell(c, r));
      if (OnDrawCell) {
        p.save();
        OnDrawCell(c, r, cell);
        p.restore();
      }
    }
  }
  // The focus frame: around the current cell, or the current row when whole
  // rows are selected; around the view while that is scrolled out of it.
  if (hasFocus()) {
    QRect cur = CellRect(rowSelect_ ? fixedCols_ : col_, row_);
    if (rowSelect_ && !cur.isEmpty()) cur.setRight(std::min(viewport()->width(), TotalWidth()) - 1);
    if (cur.isEmpty() || cur.top() >= viewport()->height() || row_ < fixedRows_) cur = viewport()->rect();
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(cur.adjusted(0, 0, -1, -1));
  }
  canvas_.SetPainter(nullptr);
}

void TStringGrid::mousePressEvent(QMouseEvent* e) {
  setFocus(Qt::MouseFocusReason);
  const QPoint pos = e->position().toPoint();
  const int r = RowAt(pos.y());
  const int c = ColAt(pos.x());
  if (r < fixedRows_ || r < 0 || c < fixedCols_ || c < 0) return;
  col_ = c;
  SetRow(r);
  viewport()->update();  // the column may have changed within the row
}

void TStringGrid::keyPressEvent(QKeyEvent* e) {
  const int fit = std::max(1, RowsThatFit());
  switch (e->key()) {
    case Qt::Key_Up:
      SetRow(row_ - 1);
      break;
    case Qt::Key_Down:
      SetRow(row_ + 1);
      break;
    case Qt::Key_PageUp:
      SetRow(row_ - fit);
      break;
    case Qt::Key_PageDown:
      SetRow(row_ + fit);
      break;
    case Qt::Key_Home:
      if (rowSelect_ || (e->modifiers() & Qt::ControlModifier)) {
        SetRow(fixedRows_);
      } else if (colCount_ > fixedCols_) {
        col_ = fixedCols_;
        viewport()->update();
      }
      break;
    case Qt::Key_End:
      if (rowSelect_ || (e->modifiers() & Qt::ControlModifier)) {
        SetRow(rowCount_ - 1);
      } else if (colCount_ > fixedCols_) {
        col_ = colCount_ - 1;
        viewport()->update();
      }
      break;
    case Qt::Key_Left:
    case Qt::Key_Right:
      if (rowSelect_) {
        horizontalScrollBar()->triggerAction(e->key() == Qt::Key_Left ? QAbstractSlider::SliderSingleStepSub
                                                                      : QAbstractSlider::SliderSingleStepAdd);
      } else {
        const int c =
            std::clamp(col_ + (e->key() == Qt::Key_Left ? -1 : 1), fixedCols_, std::max(fixedCols_, colCount_ - 1));
        col_ = c;
        viewport()->update();
      }
      break;
    default:
      e->ignore();
      return;
  }
  e->accept();
}

// The focus frame comes and goes with the focus.
void TStringGrid::focusInEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusInEvent(e);
  viewport()->update();
}

void TStringGrid::focusOutEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusOutEvent(e);
  viewport()->update();
}

void TStringGrid::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  UpdateScrollBars();
}

void TStringGrid::scrollContentsBy(int, int) {
  topRow_ = fixedRows_ + verticalScrollBar()->value();
  viewport()->update();
}

}  // namespace ui
