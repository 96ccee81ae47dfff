#include "automation/WorkbookModel.h"

#include <algorithm>

namespace automation {

namespace {

QString ColumnName(int col) {
  QString name;
  while (col > 0) {
    int d = (col - 1) % 26;
    name.prepend(QChar('A' + d));
    col = (col - 1) / 26;
  }
  return name;
}

}  // namespace

Cell* CellStore::Span(int row, int c1, int c2) {
  // A pass over a range asks for its rows in order: the row after the last one
  // found is tried first.
  if (last_ == rows_.end() || last_->first != row) {
    auto next = last_ == rows_.end() ? last_ : std::next(last_);
    if (next == rows_.end() || next->first != row) {
      next = rows_.lower_bound(row);
      if (next == rows_.end() || next->first != row) next = rows_.emplace_hint(next, row, Row{});
    }
    last_ = next;
  }
  Row& r = last_->second;
  if (r.cells.empty()) {
    const long long added = c2 - c1 + 1;
    if (slots_ + added > kMaxSheetCells) throw EOleError(QStringLiteral("Слишком большой диапазон"));
    r.firstCol = c1;
    r.cells.resize(static_cast<size_t>(added));
    slots_ += added;
    return r.cells.data();
  }
  const int first = std::min(c1, r.firstCol);
  const int last = std::max(c2, r.firstCol + static_cast<int>(r.cells.size()) - 1);
  const long long added = static_cast<long long>(last - first + 1) - static_cast<long long>(r.cells.size());
  if (added > 0) {
    if (slots_ + added > kMaxSheetCells) throw EOleError(QStringLiteral("Слишком большой диапазон"));
    r.cells.insert(r.cells.begin(), static_cast<size_t>(r.firstCol - first), Cell{});
    r.cells.resize(static_cast<size_t>(last - first + 1));
    r.firstCol = first;
    slots_ += added;
  }
  return r.cells.data() + (c1 - r.firstCol);
}

const Cell* CellStore::Find(int row, int col) const {
  const auto it = rows_.find(row);
  if (it == rows_.end()) return nullptr;
  const Row& r = it->second;
  if (col < r.firstCol || col >= r.firstCol + static_cast<int>(r.cells.size())) return nullptr;
  return &r.cells[static_cast<size_t>(col - r.firstCol)];
}

QString CellName(int row, int col) { return ColumnName(col) + QString::number(row); }

void CheckCell(int row, int col) {
  if (row < 1 || row > kMaxRow || col < 1 || col > kMaxCol)
    throw EOleError(QStringLiteral("Недопустимая ячейка (%1, %2)").arg(row).arg(col));
}

namespace {

void SpellOut(const CallTarget& t, Call& call) {
  const Rect& r = t.rect;
  if (t.kind == CallTarget::kCells) {
    auto cells = [](int row, int col) { return QStringLiteral("Cells(%1, %2)").arg(row).arg(col); };
    call.object = QStringLiteral("WorkSheets(1)");
    call.args = {cells(r.r1, r.c1), cells(r.r2, r.c2)};
    return;
  }
  call.object = QStringLiteral("Range(") + CellName(r.r1, r.c1) + QChar(':') + CellName(r.r2, r.c2) + QChar(')');
  switch (t.kind) {
    case CallTarget::kInterior:
      call.object += QStringLiteral(".Interior");
      break;
    case CallTarget::kFont:
      call.object += QStringLiteral(".Font");
      break;
    case CallTarget::kBorder:
      call.object += QStringLiteral(".Borders(") + QString::number(t.index) + QChar(')');
      break;
    case CallTarget::kBorders:
      call.args = {t.index};
      break;
    default:
      break;
  }
}

// The array as rows of elements; an element left empty is an invalid variant.
QVariant Rows(const VariantArray& array) {
  QVariantList rows;
  rows.reserve(array.HighRow() + 1);
  for (int r = 0; r <= array.HighRow(); ++r) {
    QVariantList row;
    row.reserve(array.HighCol() + 1);
    for (int c = 0; c <= array.HighCol(); ++c) {
      const auto& item = array.At(r, c);
      row << (item ? QVariant(*item) : QVariant());
    }
    rows << QVariant(row);
  }
  return rows;
}

}  // namespace

void Workbook::Record(const QString& object, const QString& member, const QVariant& arg, const QVariant& value) {
  if (!seams().called) return;
  seams().called(Call{object, member, arg.isValid() ? QVariantList{arg} : QVariantList(), value});
}

void Workbook::Record(const CallTarget& target, const QString& member, const QVariant& value) {
  if (!seams().called) return;
  Call call{QString(), member, {}, value};
  SpellOut(target, call);
  seams().called(call);
}

void Workbook::RecordArray(const CallTarget& target, const QString& member, const VariantArray& array) {
  if (!seams().called) return;
  Call call{QString(), member, {}, Rows(array)};
  SpellOut(target, call);
  seams().called(call);
}

void Workbook::Add() {
  if (added_) throw EOleError(QStringLiteral("Книга уже создана"));
  added_ = true;
}

void Workbook::RequireWorkbook() const {
  if (!added_) throw EOleError(QStringLiteral("Нет открытой книги: сначала Workbooks.Add"));
}

void Workbook::SetColumnWidth(int c1, int c2, double width) {
  RequireWorkbook();
  if (!(width >= 0 && width <= 255)) throw EOleError(QStringLiteral("Недопустимая ширина столбца"));
  for (int c = c1; c <= c2; ++c) sheet_.widths[c] = width;
}

void Workbook::Merge(Rect r) {
  RequireWorkbook();
  if (r.r1 == r.r2 && r.c1 == r.c2) return;
  // A merge over merged cells takes them in.
  auto& merges = sheet_.merges;
  for (;;) {
    auto it = std::find_if(merges.begin(), merges.end(), [&r](const Rect& m) { return m.Overlaps(r); });
    if (it == merges.end()) break;
    r = Rect{std::min(r.r1, it->r1), std::min(r.c1, it->c1), std::max(r.r2, it->r2), std::max(r.c2, it->c2)};
    merges.erase(it);
  }
  merges.push_back(r);
}

// ---------------------------------------------------------------------------

VariantArray::VariantArray(int highRow, int highCol) : highRow_(highRow), highCol_(highCol) {
  if (highRow < 0 || highCol < 0 ||
      (static_cast<long long>(highRow) + 1) * (static_cast<long long>(highCol) + 1) > kMaxCells)
    throw EOleError(QStringLiteral("Недопустимые границы массива"));
  items_.resize(static_cast<size_t>(highRow + 1) * static_cast<size_t>(highCol + 1));
}

void VariantArray::Set(int row, int col, const QString& text) {
  if (row < 0 || row > highRow_ || col < 0 || col > highCol_)
    throw EOleError(QStringLiteral("Variant or safe array index out of bounds"));
  items_[static_cast<size_t>(row) * static_cast<size_t>(highCol_ + 1) + static_cast<size_t>(col)] = text;
}

const std::optional<QString>& VariantArray::At(int row, int col) const {
  if (row < 0 || row > highRow_ || col < 0 || col > highCol_)
    throw EOleError(QStringLiteral("Variant or safe array index out of bounds"));
  return items_[static_cast<size_t>(row) * static_cast<size_t>(highCol_ + 1) + static_cast<size_t>(col)];
}

}  // namespace automation
