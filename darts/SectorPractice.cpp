#include "darts/SectorPractice.h"

#include "darts/FileLine.h"
#include "darts/SectorVisits.h"

namespace darts {

namespace {

QStringList Headings() {
  return {QStringLiteral("Сектор"), QStringLiteral("Сумма"), QStringLiteral("Средний на 1 дротик"),
          QStringLiteral("Средний набор")};
}

}  // namespace

SectorPractice::SectorPractice(Decimals twoDecimals) : twoDecimals_(twoDecimals) {}

void SectorPractice::ChooseSector(int sector) {
  chosen_ = true;
  SectorValue_ = sector;
  SectorName_ = sector == kBullSector ? QStringLiteral("BULL") : QString::number(sector);
  VisitCounter_ = 1;
  SectorSum_ = 0;
  DartAverage_ = VisitAverage_ = 0;
  visits_.clear();
}

void SectorPractice::Clear() {
  chosen_ = false;
  VisitCounter_ = 1;
  SectorSum_ = 0;
  visits_.clear();
  summary_.clear();
}

SectorPractice::Visited SectorPractice::Visit(const QString& typed) {
  if (!Running()) return Visited::Ignored;
  const QString trimmed = typed.trimmed();
  if (trimmed.isEmpty()) return Visited::Empty;
  bool number = false;
  const int score = trimmed.toInt(&number);
  if (!number) return Visited::NotANumber;
  if (!IsSectorVisit(SectorValue_, score)) return Visited::NotInSector;

  SectorSum_ += score;
  DartAverage_ = static_cast<float>(SectorSum_) / static_cast<float>(VisitCounter_ * 3);
  VisitAverage_ = static_cast<float>(SectorSum_) / static_cast<float>(VisitCounter_);
  visits_.push_back(Row{score, SectorSum_, DartAverage_, VisitAverage_, {}});
  VisitCounter_ += 1;
  if (VisitCounter_ <= kVisits) return Visited::Next;
  summary_.push_back(Row{0, SectorSum_, DartAverage_, VisitAverage_, SectorName_});
  return Visited::SeriesDone;
}

QString SectorPractice::VisitText() const {
  return VisitCounter_ <= kVisits ? QString::number(VisitCounter_) : QString();
}

QString SectorPractice::SheetCell(int col, int row) const {
  if (row == 0) {
    if (!chosen_) return {};
    return col == 2 ? QStringLiteral("Сектор") : col == 3 ? SectorName_ : QString();
  }
  if (row < 1 || row > static_cast<int>(visits_.size())) return {};
  const Row& v = visits_[row - 1];
  switch (col) {
    case 0:
      return QString::number(row);
    case 1:
      return QString::number(v.score);
    case 2:
      return QString::number(v.sum);
    case 3:
      return twoDecimals_(v.perDart);
    case 4:
      return twoDecimals_(v.perVisit);
  }
  return {};
}

QStringList SectorPractice::SummaryLine(int row) const {
  if (row < 0 || row >= SummaryRow()) return {QString(), QString(), QString(), QString()};
  const Row& s = summary_[row];
  return {s.name, QString::number(s.sum), twoDecimals_(s.perDart), twoDecimals_(s.perVisit)};
}

QString SectorPractice::SummaryCell(int col, int row) const { return SummaryLine(row).value(col); }

QStringList SectorPractice::FileLines(const QString& stamp) const {
  QStringList lines{stamp, FileLine(Headings())};
  for (int r = 0; r <= SummaryRow(); ++r) lines << FileLine(SummaryLine(r));  // the last row empty
  return lines;
}

SheetBlock SectorPractice::Sheet() const {
  // The array reaches a row and a column past the block; they stay empty.
  const int rows = SummaryRow() + 1;
  SheetBlock block(rows, kSummaryCols, rows, kSummaryCols);
  const QStringList headings = Headings();
  block.SetRow(0, 0, {headings.begin(), headings.end()});
  for (int r = 1; r < rows; ++r) {
    const QStringList line = SummaryLine(r - 1) << QString();
    block.SetRow(r, 0, {line.begin(), line.end()});
  }
  block.ColumnWidths(1, {8, 8, 20, 14});
  block.Fill(1, 1, 1, kSummaryCols, 35);
  return block;
}

}  // namespace darts
