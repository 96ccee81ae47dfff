#include <algorithm>
#include <iterator>

#include "automation/WorkbookModel.h"

namespace automation {

Range::Range(std::shared_ptr<Workbook> wb, int row1, int col1, int row2, int col2)
    : wb_(std::move(wb)),
      r1_(std::min(row1, row2)),
      c1_(std::min(col1, col2)),
      r2_(std::max(row1, row2)),
      c2_(std::max(col1, col2)) {
  CheckCell(r1_, c1_);
  CheckCell(r2_, c2_);
}

QString Range::Address() const { return CellName(r1_, c1_) + QChar(':') + CellName(r2_, c2_); }

CallTarget Range::Target(int kind, int index) const {
  return CallTarget{static_cast<CallTarget::Kind>(kind), Rect{r1_, c1_, r2_, c2_}, index};
}

void Range::ColumnWidth(double characters) {
  wb_->Record(Target(), QStringLiteral("ColumnWidth"), characters);
  wb_->SetColumnWidth(c1_, c2_, characters);
}

automation::Interior Range::Interior() { return automation::Interior(*this); }

automation::Font Range::Font() { return automation::Font(*this); }

automation::Border Range::Borders(int index) {
  wb_->Record(Target(CallTarget::kBorders, index), QStringLiteral("Borders"));
  if (!((index >= 1 && index <= 4) || (index >= 7 && index <= 12)))
    throw EOleError(QStringLiteral("Недопустимый индекс Borders: %1").arg(index));
  return automation::Border(*this, index);
}

void Range::HorizontalAlignment(int xl) {
  wb_->Record(Target(), QStringLiteral("HorizontalAlignment"), xl);
  static const int known[] = {xlCenter,     xlLeft, xlRight, xlGeneral, xlFill, xlJustify, xlCenterAcrossSelection,
                              xlDistributed};
  if (std::find(std::begin(known), std::end(known), xl) == std::end(known))
    throw EOleError(QStringLiteral("Недопустимое значение HorizontalAlignment: %1").arg(xl));
  const int value = xl == xlGeneral ? 0 : xl;
  wb_->ForEach(Rect{r1_, c1_, r2_, c2_}, [value](int, int, Cell& cell) { cell.format.hAlign = value; });
}

void Range::VerticalAlignment(int xl) {
  wb_->Record(Target(), QStringLiteral("VerticalAlignment"), xl);
  static const int known[] = {xlCenter, xlTop, xlBottom, xlJustify, xlDistributed};
  if (std::find(std::begin(known), std::end(known), xl) == std::end(known))
    throw EOleError(QStringLiteral("Недопустимое значение VerticalAlignment: %1").arg(xl));
  const int value = xl == xlBottom ? 0 : xl;
  wb_->ForEach(Rect{r1_, c1_, r2_, c2_}, [value](int, int, Cell& cell) { cell.format.vAlign = value; });
}

void Range::Merge() {
  wb_->Record(Target(), QStringLiteral("Merge"));
  wb_->Merge(Rect{r1_, c1_, r2_, c2_});
}

void Range::Value(const VariantArray& array) {
  wb_->RecordArray(Target(), QStringLiteral("Value"), array);
  // The range takes the array from its top-left element; what lies outside the
  // range is ignored, and cells beyond the array stay empty.
  const int top = r1_, left = c1_;
  wb_->ForEach(Rect{r1_, c1_, r2_, c2_}, [&](int row, int col, Cell& cell) {
    const int r = row - top, c = col - left;
    if (r <= array.HighRow() && c <= array.HighCol())
      cell.value = array.At(r, c);
    else
      cell.value.reset();
  });
}

void Interior::ColorIndex(int index) {
  range_.wb_->Record(range_.Target(CallTarget::kInterior), QStringLiteral("ColorIndex"), index);
  if (!((index >= 1 && index <= 56) || index == xlNone || index == xlAutomatic))
    throw EOleError(QStringLiteral("Недопустимое значение ColorIndex: %1").arg(index));
  const int fill = index > 0 ? index : 0;
  range_.wb_->ForEach(Rect{range_.r1_, range_.c1_, range_.r2_, range_.c2_},
                      [fill](int, int, Cell& cell) { cell.format.fill = fill; });
}

void Font::Size(double points) {
  range_.wb_->Record(range_.Target(CallTarget::kFont), QStringLiteral("Size"), points);
  if (!(points >= 1 && points <= 409)) throw EOleError(QStringLiteral("Недопустимый размер шрифта"));
  range_.wb_->ForEach(Rect{range_.r1_, range_.c1_, range_.r2_, range_.c2_},
                      [points](int, int, Cell& cell) { cell.format.fontSize = points; });
}

void Font::Bold(bool on) {
  range_.wb_->Record(range_.Target(CallTarget::kFont), QStringLiteral("Bold"), on);
  range_.wb_->ForEach(Rect{range_.r1_, range_.c1_, range_.r2_, range_.c2_},
                      [on](int, int, Cell& cell) { cell.format.bold = on; });
}

namespace {

// The cells and edges a Borders index stands for: 1 to 4 every cell's left,
// right, top or bottom edge; 7 to 10 the outer edges of the range; 11 and 12
// the lines inside it.
template <class F>
void ForBorder(const Rect& r, int index, Workbook& wb, F&& apply) {
  wb.ForEach(r, [&](int row, int col, Cell& cell) {
    switch (index) {
      case 1:
        apply(cell.format.borders[kLeft]);
        break;
      case 2:
        apply(cell.format.borders[kRight]);
        break;
      case 3:
        apply(cell.format.borders[kTop]);
        break;
      case 4:
        apply(cell.format.borders[kBottom]);
        break;
      case 7:
        if (col == r.c1) apply(cell.format.borders[kLeft]);
        break;
      case 8:
        if (row == r.r1) apply(cell.format.borders[kTop]);
        break;
      case 9:
        if (row == r.r2) apply(cell.format.borders[kBottom]);
        break;
      case 10:
        if (col == r.c2) apply(cell.format.borders[kRight]);
        break;
      case 11:
        if (col < r.c2) apply(cell.format.borders[kRight]);
        if (col > r.c1) apply(cell.format.borders[kLeft]);
        break;
      case 12:
        if (row < r.r2) apply(cell.format.borders[kBottom]);
        if (row > r.r1) apply(cell.format.borders[kTop]);
        break;
      default:
        break;
    }
  });
}

}  // namespace

void Border::LineStyle(int style) {
  range_.wb_->Record(range_.Target(CallTarget::kBorder, index_), QStringLiteral("LineStyle"), style);
  static const int known[] = {xlContinuous, xlDash, xlDashDot, xlDashDotDot, xlDot, xlDouble, xlSlantDashDot, xlNone};
  if (std::find(std::begin(known), std::end(known), style) == std::end(known))
    throw EOleError(QStringLiteral("Недопустимое значение LineStyle: %1").arg(style));
  ForBorder(Rect{range_.r1_, range_.c1_, range_.r2_, range_.c2_}, index_, *range_.wb_, [style](BorderState& b) {
    if (style == xlNone) {
      b = BorderState{};
    } else {
      b.lineStyle = style;
    }
  });
}

void Border::Weight(int weight) {
  range_.wb_->Record(range_.Target(CallTarget::kBorder, index_), QStringLiteral("Weight"), weight);
  if (weight != xlHairline && weight != xlThin && weight != xlMedium && weight != xlThick)
    throw EOleError(QStringLiteral("Недопустимое значение Weight: %1").arg(weight));
  ForBorder(Rect{range_.r1_, range_.c1_, range_.r2_, range_.c2_}, index_, *range_.wb_, [weight](BorderState& b) {
    b.weight = weight;
    if (b.lineStyle == 0) b.lineStyle = xlContinuous;
  });
}

void Border::ColorIndex(int index) {
  range_.wb_->Record(range_.Target(CallTarget::kBorder, index_), QStringLiteral("ColorIndex"), index);
  if (!((index >= 0 && index <= 56) || index == xlAutomatic))
    throw EOleError(QStringLiteral("Недопустимое значение ColorIndex: %1").arg(index));
  const int color = index > 0 ? index : 0;
  ForBorder(Rect{range_.r1_, range_.c1_, range_.r2_, range_.c2_}, index_, *range_.wb_, [color](BorderState& b) {
    b.colorIndex = color;
    if (b.lineStyle == 0) b.lineStyle = xlContinuous;
  });
}

// ---------------------------------------------------------------------------

namespace {

const QString kPageSetup = QStringLiteral("WorkSheets(1).PageSetup");

}  // namespace

void PageSetup::Orientation(int xl) {
  wb_->Record(kPageSetup, QStringLiteral("Orientation"), {}, xl);
  if (xl != xlPortrait && xl != xlLandscape)
    throw EOleError(QStringLiteral("Недопустимое значение Orientation: %1").arg(xl));
  wb_->Print().orientation = xl;
}

void PageSetup::Zoom(int percent) {
  wb_->Record(kPageSetup, QStringLiteral("Zoom"), {}, percent);
  if (percent < 10 || percent > 400) throw EOleError(QStringLiteral("Недопустимое значение Zoom: %1").arg(percent));
  wb_->Print().zoom = percent;
}

void PageSetup::Zoom(bool on) {
  wb_->Record(kPageSetup, QStringLiteral("Zoom"), {}, on);
  // Only false has a meaning: scale to the pages asked for.
  if (on) throw EOleError(QStringLiteral("Недопустимое значение Zoom: True"));
  wb_->Print().zoom = 0;
}

void PageSetup::FitToPagesWide(int pages) {
  wb_->Record(kPageSetup, QStringLiteral("FitToPagesWide"), {}, pages);
  if (pages < 1 || pages > 32767)
    throw EOleError(QStringLiteral("Недопустимое значение FitToPagesWide: %1").arg(pages));
  wb_->Print().fitWide = pages;
}

void PageSetup::FitToPagesTall(int pages) {
  wb_->Record(kPageSetup, QStringLiteral("FitToPagesTall"), {}, pages);
  if (pages < 1 || pages > 32767)
    throw EOleError(QStringLiteral("Недопустимое значение FitToPagesTall: %1").arg(pages));
  wb_->Print().fitTall = pages;
}

automation::PageSetup Worksheet::PageSetup() {
  wb_->Record(QStringLiteral("WorkSheets(1)"), QStringLiteral("PageSetup"));
  wb_->RequireWorkbook();
  return automation::PageSetup(wb_);
}

// A corner cell is recorded with the range it addresses, so the record does not
// depend on the order in which the two corners were evaluated.
CellRef Worksheet::Cells(int row, int col) {
  CheckCell(row, col);
  return CellRef{row, col};
}

Range Worksheet::GetRange(CellRef a, CellRef b) {
  wb_->Record(CallTarget{CallTarget::kCells, Rect{a.row, a.col, b.row, b.col}}, QStringLiteral("Range"));
  return Range(wb_, a.row, a.col, b.row, b.col);
}

Range Worksheet::GetRange(const QString& a1) {
  wb_->Record(QStringLiteral("WorkSheets(1)"), QStringLiteral("Range"), {a1});
  auto bad = [&a1] { return EOleError(QStringLiteral("Недопустимый адрес диапазона: ") + a1); };
  auto parseCell = [&](const QString& text) {
    int i = 0, col = 0, row = 0;
    const QString t = text.trimmed().toUpper();
    while (i < t.size() && t[i] >= QChar('A') && t[i] <= QChar('Z')) {
      col = col * 26 + (t[i].unicode() - 'A' + 1);
      if (col > kMaxCol) throw bad();
      ++i;
    }
    const int digitsFrom = i;
    while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) {
      row = row * 10 + (t[i].unicode() - '0');
      if (row > kMaxRow) throw bad();
      ++i;
    }
    if (col == 0 || i == digitsFrom || i != t.size() || row == 0) throw bad();
    return CellRef{row, col};
  };
  const QStringList parts = a1.split(QChar(':'));
  if (parts.size() < 1 || parts.size() > 2) throw bad();
  const CellRef a = parseCell(parts[0]);
  const CellRef b = parts.size() == 2 ? parseCell(parts[1]) : a;
  return Range(wb_, a.row, a.col, b.row, b.col);
}

void Workbooks::Add() {
  wb_->Record(QStringLiteral("Workbooks"), QStringLiteral("Add"));
  wb_->Add();
}

automation::Workbooks Application::Workbooks() {
  wb_->Record(QString(), QStringLiteral("Workbooks"));
  return automation::Workbooks(wb_);
}

Worksheet Application::WorkSheets(int index) {
  wb_->Record(QString(), QStringLiteral("WorkSheets"), {index});
  wb_->RequireWorkbook();
  if (index != 1) throw EOleError(QStringLiteral("Недопустимый индекс листа: %1").arg(index));
  return Worksheet(wb_);
}

void Application::Visible(bool on) {
  wb_->Record(QString(), QStringLiteral("Visible"), {}, on);
  if (on) wb_->Show();
}

QString Application::WrittenFile() const { return wb_->File(); }

}  // namespace automation
