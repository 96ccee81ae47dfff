#include "ui/Controls.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>
#include <utility>

namespace ui {

QColor ToQColor(TColor c) {
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

// ---------------------------------------------------------------------------
// Canvas

QFont TCanvas::QtFont() const {
  QFont f(font.Name);
  if (font.Height != 0) {
    f.setPixelSize(std::abs(font.Height));
  } else {
    f.setPointSize(font.Size > 0 ? font.Size : 8);
  }
  f.setBold(font.Bold);
  f.setItalic(font.Italic);
  return f;
}

void TCanvas::Prepare(QPainter& p) const {
  QPen qpen(ToQColor(pen.Color));
  qpen.setWidth(std::max(1, pen.Width));
  qpen.setJoinStyle(Qt::MiterJoin);
  p.setPen(qpen);
  p.setBrush(ToQColor(brush.Color));
  p.setFont(QtFont());
  p.setRenderHint(QPainter::Antialiasing, false);
}

void TCanvas::Draw(const std::function<void(QPainter&)>& op) {
  if (painter_ && painter_->isActive()) {
    painter_->save();
    Prepare(*painter_);
    op(*painter_);
    painter_->restore();
  } else if (image_ && !image_->isNull()) {
    QPainter p(image_);
    Prepare(p);
    op(p);
  } else {
    return;
  }
  if (onChange_) onChange_();
}

void TCanvas::FillRect(const QRect& r) {
  const QColor c = ToQColor(brush.Color);
  Draw([&](QPainter& p) { p.fillRect(r, c); });
}

void TCanvas::TextOut(int x, int y, const QString& text) {
  const QFont f = QtFont();
  const QFontMetrics fm(f);
  const QRect box(x, y, fm.horizontalAdvance(text), fm.height());
  const QColor back = ToQColor(brush.Color);
  const QColor fore = ToQColor(font.Color);
  Draw([&](QPainter& p) {
    p.fillRect(box, back);
    p.setPen(fore);
    p.drawText(QPoint(x, y + fm.ascent()), text);
  });
  penPos_ = QPoint(x + box.width(), y);
}

void TCanvas::TextRect(const QRect& rect, int x, int y, const QString& text) {
  const QFont f = QtFont();
  const QFontMetrics fm(f);
  const QColor back = ToQColor(brush.Color);
  const QColor fore = ToQColor(font.Color);
  Draw([&](QPainter& p) {
    p.fillRect(rect, back);
    p.setClipRect(rect, Qt::IntersectClip);
    p.setPen(fore);
    p.drawText(QPoint(x, y + fm.ascent()), text);
  });
}

void TCanvas::MoveTo(int x, int y) { penPos_ = QPoint(x, y); }

void TCanvas::LineTo(int x, int y) {
  const QPoint from = penPos_, to(x, y);
  Draw([&](QPainter& p) { p.drawLine(from, to); });
  penPos_ = to;
}

void TCanvas::Rectangle(const QRect& r) {
  if (r.width() <= 0 || r.height() <= 0) return;
  Draw([&](QPainter& p) { p.drawRect(r.adjusted(0, 0, -1, -1)); });
}

void TCanvas::Ellipse(const QRect& r) {
  if (r.width() <= 0 || r.height() <= 0) return;
  Draw([&](QPainter& p) { p.drawEllipse(r.adjusted(0, 0, -1, -1)); });
}

int TCanvas::TextWidth(const QString& text) const { return QFontMetrics(QtFont()).horizontalAdvance(text); }

int TCanvas::TextHeight(const QString&) const { return QFontMetrics(QtFont()).height(); }

void TCanvas::FloodFill(int x, int y, TColor color, FillStyle style) {
  // Filling needs the pixels, so it works on the paint box's image only.
  if (!image_ || image_->isNull() || (painter_ && painter_->isActive() && painter_->device() != image_)) return;
  if (!image_->rect().contains(x, y)) return;
  if (image_->format() != QImage::Format_RGB32 && image_->format() != QImage::Format_ARGB32)
    *image_ = image_->convertToFormat(QImage::Format_RGB32);
  const QRgb boundary = ToQColor(color).rgb() & 0xFFFFFF;
  const QRgb fill = ToQColor(brush.Color).rgb();
  const int w = image_->width(), h = image_->height();
  auto colourAt = [&](int px, int py) {
    return reinterpret_cast<const QRgb*>(image_->constScanLine(py))[px] & 0xFFFFFF;
  };
  // fsSurface: the area of `color` around the point; fsBorder: everything up to `color`.
  auto inside = [&](int px, int py) {
    const QRgb c = colourAt(px, py);
    return style == fsSurface ? c == boundary : c != boundary;
  };
  if (!inside(x, y)) return;
  if (style == fsSurface && (fill & 0xFFFFFF) == boundary) return;  // nothing would change

  std::vector<unsigned char> done(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
  std::vector<QPoint> stack{QPoint(x, y)};
  while (!stack.empty()) {
    const QPoint pt = stack.back();
    stack.pop_back();
    int lx = pt.x();
    const int py = pt.y();
    if (done[static_cast<size_t>(py) * w + lx] || !inside(lx, py)) continue;
    while (lx > 0 && !done[static_cast<size_t>(py) * w + lx - 1] && inside(lx - 1, py)) --lx;
    int rx = pt.x();
    while (rx + 1 < w && !done[static_cast<size_t>(py) * w + rx + 1] && inside(rx + 1, py)) ++rx;
    QRgb* line = reinterpret_cast<QRgb*>(image_->scanLine(py));
    for (int i = lx; i <= rx; ++i) {
      line[i] = fill;
      done[static_cast<size_t>(py) * w + i] = 1;
    }
    for (int ny : {py - 1, py + 1}) {
      if (ny < 0 || ny >= h) continue;
      bool inRun = false;
      for (int i = lx; i <= rx; ++i) {
        const bool ok = !done[static_cast<size_t>(ny) * w + i] && inside(i, ny);
        if (ok && !inRun) stack.emplace_back(i, ny);
        inRun = ok;
      }
    }
  }
  if (onChange_) onChange_();
}

// ---------------------------------------------------------------------------
// Masked score field

namespace {

bool IsMaskChar(QChar c) { return (c >= QChar('0') && c <= QChar('9')) || c == QChar(' '); }

}  // namespace

TMaskEdit::TMaskEdit(QWidget* parent) : QLineEdit(parent) {
  setMaxLength(kLength);
  setContextMenuPolicy(Qt::NoContextMenu);  // its paste would bypass the mask
  setDragEnabled(false);
  setAcceptDrops(false);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  // Texts set through the line edit itself (a form resource, clear()) pass the mask too.
  connect(this, &QLineEdit::textChanged, this, [this](const QString& shown) {
    if (!refreshing_) SyncFromShown(shown);
  });
  Refresh(0);
}

void TMaskEdit::SyncFromShown(const QString& shown) {
  QString t;
  for (QChar c : shown) {
    if (t.size() >= kLength) break;
    if (c == QChar('_')) c = QChar(' ');
    t += IsMaskChar(c) ? c : QChar(' ');
  }
  const int caret = std::min(cursorPosition(), kLength);
  text_ = t.leftJustified(kLength, QChar(' '));
  Refresh(caret);
}

void TMaskEdit::SetText(const QString& t) {
  QString clean;
  for (int i = 0; i < std::min<int>(static_cast<int>(t.size()), kLength); ++i)
    clean += IsMaskChar(t[i]) ? t[i] : QChar(' ');
  text_ = clean.leftJustified(kLength, QChar(' '));
  Refresh(0);
}

void TMaskEdit::Refresh(int caret) {
  QString shown = text_;
  shown.replace(QChar(' '), QChar('_'));
  refreshing_ = true;
  if (QLineEdit::text() != shown) QLineEdit::setText(shown);
  setCursorPosition(std::clamp(caret, 0, kLength));
  refreshing_ = false;
}

void TMaskEdit::BlankSelection(int& caret) {
  if (!hasSelectedText()) return;
  const int start = std::clamp(selectionStart(), 0, kLength);
  const int end = std::clamp(selectionStart() + static_cast<int>(selectedText().size()), 0, kLength);
  for (int i = start; i < end; ++i) text_[i] = QChar(' ');
  caret = start;
}

void TMaskEdit::Put(const QString& chars) {
  int caret = std::min(cursorPosition(), kLength);
  BlankSelection(caret);
  for (QChar c : chars) {
    if (caret >= kLength) break;
    text_[caret++] = c;
  }
  Refresh(caret);
}

void TMaskEdit::keyPressEvent(QKeyEvent* e) {
  if (!isEnabled() || isReadOnly()) {
    e->ignore();
    return;
  }
  const int key = e->key();
  const Qt::KeyboardModifiers mods = e->modifiers();
  QPointer<TMaskEdit> self(this);

  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    emit KeyPress(13);
    e->ignore();  // the window may act on Enter too
    return;
  }
  if (key == Qt::Key_Escape) {
    emit KeyPress(27);
    e->ignore();
    return;
  }
  if (e->matches(QKeySequence::Paste)) {
    QString digits;
    const QString clip = QApplication::clipboard()->text();
    for (QChar c : clip)
      if (c >= QChar('0') && c <= QChar('9')) digits += c;
    if (!digits.isEmpty()) Put(digits);
    return;
  }
  if (e->matches(QKeySequence::Copy) || e->matches(QKeySequence::Cut)) {
    if (hasSelectedText()) {
      QApplication::clipboard()->setText(text_.mid(selectionStart(), selectedText().size()));
      if (e->matches(QKeySequence::Cut)) {
        int caret = cursorPosition();
        BlankSelection(caret);
        Refresh(caret);
      }
    }
    return;
  }
  if (e->matches(QKeySequence::SelectAll)) {
    selectAll();
    return;
  }
  if (key == Qt::Key_Backspace) {
    emit KeyPress(8);
    if (!self || !isEnabled()) return;
    int caret = std::min(cursorPosition(), kLength);
    if (hasSelectedText()) {
      BlankSelection(caret);
    } else if (caret > 0) {
      --caret;
      text_[caret] = QChar(' ');
    }
    Refresh(caret);
    return;
  }
  if (key == Qt::Key_Delete) {
    int caret = std::min(cursorPosition(), kLength);
    if (hasSelectedText()) {
      BlankSelection(caret);
    } else if (caret < kLength) {
      text_[caret] = QChar(' ');
    }
    Refresh(caret);
    return;
  }
  if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home || key == Qt::Key_End) {
    QLineEdit::keyPressEvent(e);  // caret movement (with Shift: selection)
    return;
  }
  const QString typed = e->text();
  const bool character =
      !typed.isEmpty() && typed[0].isPrint() && !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
  if (character) {
    const QChar c = typed[0];
    emit KeyPress(c.unicode());
    if (!self || !isEnabled()) return;
    // A digit or a blank takes the position at the caret (after the last one
    // there is none); anything else is refused.
    if (IsMaskChar(c) && (hasSelectedText() || cursorPosition() < kLength)) Put(QString(c));
    return;
  }
  // Function keys, Up/Down, Tab and the like belong to the window.
  e->ignore();
}

void TMaskEdit::focusInEvent(QFocusEvent* e) {
  QLineEdit::focusInEvent(e);
  if (cursorPosition() > kLength) setCursorPosition(kLength);
}

void TMaskEdit::mousePressEvent(QMouseEvent* e) {
  QLineEdit::mousePressEvent(e);
  // A click past what is typed puts the caret right after it, so that typing
  // goes on from there (in an empty field: from the first position).
  if (!hasSelectedText()) {
    int end = kLength;
    while (end > 0 && text_[end - 1] == QChar(' ')) --end;
    if (cursorPosition() > end) setCursorPosition(end);
  }
}

void TMaskEdit::inputMethodEvent(QInputMethodEvent* e) {
  QString chars;
  for (QChar c : e->commitString())
    if (IsMaskChar(c)) chars += c;
  if (!chars.isEmpty() && isEnabled() && !isReadOnly()) Put(chars);
  e->accept();
}

// ---------------------------------------------------------------------------
// String grid

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

void TStringGrid::SetColWidth(int col, int w) {
  if (col < 0 || col >= colCount_) return;  // no such column
  if (static_cast<size_t>(col) >= colWidths_.size()) colWidths_.resize(static_cast<size_t>(col) + 1, defaultColWidth_);
  colWidths_[static_cast<size_t>(col)] = std::max(0, w);
  UpdateScrollBars();
  viewport()->update();
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
  emit SelectCell(col_, row_);
}

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
  Fit f;
  f.vertical = totalH > fullH;
  f.horizontal = totalW > fullW - (f.vertical ? barW : 0);
  if (f.horizontal && !f.vertical) f.vertical = totalH > fullH - barH;
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
  const int vmax = f.vertical ? std::max(0, scrollable - fitRows) : 0;
  verticalScrollBar()->setRange(0, vmax);
  verticalScrollBar()->setPageStep(fitRows);
  verticalScrollBar()->setSingleStep(1);
  setVerticalScrollBarPolicy(f.vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  const int hmax = f.horizontal ? std::max(0, f.totalWidth - f.width) : 0;
  horizontalScrollBar()->setRange(0, hmax);
  horizontalScrollBar()->setPageStep(std::max(1, f.width));
  horizontalScrollBar()->setSingleStep(std::max(1, defaultColWidth_));
  setHorizontalScrollBarPolicy(f.horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  topRow_ = fixedRows_ + verticalScrollBar()->value();
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
  if (hasFocus() && !rowSelect_) {
    const QRect cur = CellRect(col_, row_);
    if (!cur.isEmpty() && row_ >= fixedRows_ && col_ >= fixedCols_) {
      QPen dotted(Qt::black, 1, Qt::DotLine);
      p.setPen(dotted);
      p.setBrush(Qt::NoBrush);
      p.drawRect(cur.adjusted(0, 0, -1, -1));
    }
  }
  canvas_.SetPainter(nullptr);
}

void TStringGrid::mousePressEvent(QMouseEvent* e) {
  setFocus(Qt::MouseFocusReason);
  const QPoint pos = e->position().toPoint();
  const int r = RowAt(pos.y());
  const int c = ColAt(pos.x());
  if (r < fixedRows_ || r < 0 || c < fixedCols_ || c < 0) return;
  const bool changed = c != col_;
  col_ = c;
  if (r != row_) {
    SetRow(r);
  } else if (changed) {
    viewport()->update();
    emit SelectCell(col_, row_);
  }
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
        if (c != col_) {
          col_ = c;
          viewport()->update();
          emit SelectCell(col_, row_);
        }
      }
      break;
    default:
      e->ignore();
      return;
  }
  e->accept();
}

void TStringGrid::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  UpdateScrollBars();
}

void TStringGrid::scrollContentsBy(int, int) {
  topRow_ = fixedRows_ + verticalScrollBar()->value();
  viewport()->update();
}

// ---------------------------------------------------------------------------
// Paint box

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {
  image_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
  image_.fill(Qt::white);
  canvas_.SetImage(&image_);
  canvas_.SetOnChange([this] { update(); });
}

TCanvas& TPaintBox::Canvas() {
  SyncSize();
  return canvas_;
}

const QImage& TPaintBox::Image() const {
  const_cast<TPaintBox*>(this)->SyncSize();
  return image_;
}

void TPaintBox::Clear(TColor color) {
  SyncSize();
  image_.fill(ToQColor(color));
  update();
}

void TPaintBox::paintEvent(QPaintEvent* e) {
  SyncSize();
  QPainter p(this);
  p.drawImage(e->rect(), image_, e->rect());
}

void TPaintBox::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  SyncSize();
}

void TPaintBox::SyncSize() {
  const QSize size(std::max(1, width()), std::max(1, height()));
  if (size == image_.size()) return;
  // Keep what is drawn; new area is white.
  QImage grown(size, QImage::Format_RGB32);
  grown.fill(Qt::white);
  {
    QPainter p(&grown);
    p.drawImage(0, 0, image_);
  }
  image_ = grown;
}

}  // namespace ui
