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

QString CellName(int row, int col) { return ColumnName(col) + QString::number(row); }

void CheckCell(int row, int col) {
  if (row < 1 || row > kMaxRow || col < 1 || col > kMaxCol)
    throw EOleError(QStringLiteral("Недопустимая ячейка (%1, %2)").arg(row).arg(col));
}

void Workbook::Record(const QString& object, const QString& member, QVariantList args, QVariant value) {
  calls_.push_back(Call{object, member, std::move(args), std::move(value)});
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

QString Call::Describe() const {
  QString out = object.isEmpty() ? member : object + QChar('.') + member;
  if (!args.isEmpty()) {
    QStringList parts;
    for (const QVariant& a : args) parts << a.toString();
    out += QChar('(') + parts.join(QStringLiteral(", ")) + QChar(')');
  }
  if (value.isValid()) {
    QString v;
    if (value.typeId() == QMetaType::QVariantList) {
      const QVariantList rows = value.toList();
      v = QStringLiteral("[%1x%2]").arg(rows.size()).arg(rows.isEmpty() ? 0 : rows.first().toList().size());
    } else if (value.typeId() == QMetaType::Bool) {
      v = value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    } else {
      v = value.toString();
    }
    out += QStringLiteral(" = ") + v;
  }
  return out;
}

}  // namespace automation
